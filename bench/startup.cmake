# Start-up to the main window shown (builds lumo_synthetic_db for the large case).
add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp)
target_link_libraries(bench_startup PRIVATE lumo_mainwindow lumo_core lumo_benchmain)
target_compile_definitions(bench_startup PRIVATE LUMO_BUILD_DIR_PATH="${PROJECT_BINARY_DIR}")
lumo_target_options(bench_startup)
