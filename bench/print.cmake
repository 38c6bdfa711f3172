# Print engine: a record cut into 50 A4 pages with header and footer for the PDF printer.
add_executable(bench_print ${CMAKE_CURRENT_LIST_DIR}/PrintBench.cpp)
target_link_libraries(bench_print PRIVATE lumo_mainwindow lumo_print lumo_benchmain lumo_benchsynthetic)
lumo_target_options(bench_print)
