# Full-text search over every section text of the synthetic database, beside the engine's
# bare scan of the same table on the same connection, and the search panel listing a word
# found in every herb.
add_executable(bench_fulltext ${CMAKE_CURRENT_LIST_DIR}/FullTextBench.cpp)
target_link_libraries(bench_fulltext PRIVATE lumo_mainwindow lumo_benchmain lumo_benchsynthetic)
target_compile_definitions(bench_fulltext PRIVATE
  LUMO_SYNTHETIC_DB="${CMAKE_BINARY_DIR}/data/synthetic/Lumo.mdb")
add_dependencies(bench_fulltext lumo_synthetic_db)
lumo_target_options(bench_fulltext)
