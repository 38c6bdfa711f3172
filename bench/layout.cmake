# Page layout: cutting a long record into printer pages.
add_executable(bench_layout ${CMAKE_CURRENT_LIST_DIR}/LayoutBench.cpp)
target_link_libraries(bench_layout PRIVATE lumo_ui lumo_benchmain)
lumo_target_options(bench_layout)
