# Herb database: open, the name list in every names language, one record's section reads
# (database built by the benchmark itself with the database builder's writer).
add_executable(bench_db ${CMAKE_CURRENT_LIST_DIR}/DbBench.cpp)
target_link_libraries(bench_db PRIVATE lumo_dbbuild_lib lumo_benchmain)
target_compile_definitions(bench_db PRIVATE LUMO_SCHEMA_FILE="${PROJECT_SOURCE_DIR}/data/schema.sql")
lumo_target_options(bench_db)
