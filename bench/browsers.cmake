# Category browsers: the per-herb lists refilled after a composition on the synthetic database.
add_executable(bench_browsers ${CMAKE_CURRENT_LIST_DIR}/BrowsersBench.cpp)
target_link_libraries(bench_browsers PRIVATE lumo_browsers lumo_benchmain lumo_benchsynthetic)
lumo_target_options(bench_browsers)

# Pictures: a 3000 x 2000 JPEG from its row to the fitted picture on the screen.
add_executable(bench_pictures ${CMAKE_CURRENT_LIST_DIR}/PicturesBench.cpp)
target_link_libraries(bench_pictures PRIVATE lumo_browsers lumo_benchmain lumo_dbbuild_lib)
target_compile_definitions(bench_pictures PRIVATE LUMO_SCHEMA_FILE="${PROJECT_SOURCE_DIR}/data/schema.sql")
lumo_target_options(bench_pictures)
