# RTF: reading and writing a 100 KB herb record.
add_executable(bench_rtf ${CMAKE_CURRENT_LIST_DIR}/RtfBench.cpp)
target_link_libraries(bench_rtf PRIVATE lumo_rtf Qt6::Gui lumo_benchmain)
lumo_target_options(bench_rtf)
