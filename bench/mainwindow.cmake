# Main window: one type-ahead keystroke in the search box over the full herb list.
add_executable(bench_typeahead ${CMAKE_CURRENT_LIST_DIR}/TypeAheadBench.cpp)
target_link_libraries(bench_typeahead PRIVATE lumo_mainwindow lumo_benchmain)
lumo_target_options(bench_typeahead)
# Main window at 20,000 herbs: the name list and the alternative-name lookup (database built
# by the benchmark itself with the database builder's writer and the real schema).
add_executable(bench_namelist ${CMAKE_CURRENT_LIST_DIR}/NameListBench.cpp)
target_link_libraries(bench_namelist PRIVATE lumo_mainwindow lumo_benchmain lumo_benchsynthetic lumo_dbbuild_lib)
target_compile_definitions(bench_namelist PRIVATE LUMO_SCHEMA_FILE="${PROJECT_SOURCE_DIR}/data/schema.sql")
lumo_target_options(bench_namelist)
