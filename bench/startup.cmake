# Start-up to the main window shown (builds lumo_synthetic_db for the large case).
add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/StartupBench.cpp)
target_link_libraries(bench_startup PRIVATE lumo_mainwindow lumo_core lumo_benchmain)
target_compile_definitions(bench_startup PRIVATE LUMO_BUILD_DIR_PATH="${PROJECT_BINARY_DIR}")
lumo_target_options(bench_startup)
# Start-up seen from outside: process start until the main window is mapped on an X server of
# the benchmark's own (Xvfb), beside a bare Qt window shown the same way.
add_executable(bench_barewindow ${CMAKE_CURRENT_LIST_DIR}/BareWindow.cpp)
target_link_libraries(bench_barewindow PRIVATE Qt6::Widgets)
lumo_target_options(bench_barewindow)
add_executable(bench_startup_outside ${CMAKE_CURRENT_LIST_DIR}/StartupOutsideBench.cpp)
target_link_libraries(bench_startup_outside PRIVATE lumo_benchmain xcb)
target_compile_definitions(bench_startup_outside PRIVATE LUMO_BUILD_DIR_PATH="${PROJECT_BINARY_DIR}"
  LUMO_EXECUTABLE="$<TARGET_FILE:LUMO>" LUMO_BARE_WINDOW="$<TARGET_FILE:bench_barewindow>")
add_dependencies(bench_startup_outside LUMO bench_barewindow lumo_database)
lumo_target_options(bench_startup_outside)
