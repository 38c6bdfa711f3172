# Installer: copying the synthetic database in the copy window against cp.
add_executable(bench_copy ${CMAKE_CURRENT_LIST_DIR}/CopyBench.cpp)
target_link_libraries(bench_copy PRIVATE lumo_installer lumo_benchmain)
target_compile_definitions(bench_copy PRIVATE LUMO_BUILD_DIR_PATH="${PROJECT_BINARY_DIR}")
add_dependencies(bench_copy lumo_synthetic_db)
lumo_target_options(bench_copy)
