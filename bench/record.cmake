# Herb record: composing and showing one record with all 22 sections on the synthetic database.
add_executable(bench_record ${CMAKE_CURRENT_LIST_DIR}/RecordBench.cpp)
target_link_libraries(bench_record PRIVATE lumo_mainwindow lumo_benchmain lumo_benchsynthetic)
lumo_target_options(bench_record)
