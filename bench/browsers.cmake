# Category browsers: the per-herb lists refilled after a composition on the synthetic database.
add_executable(bench_browsers ${CMAKE_CURRENT_LIST_DIR}/BrowsersBench.cpp)
target_link_libraries(bench_browsers PRIVATE lumo_browsers lumo_benchmain lumo_benchsynthetic)
target_compile_definitions(bench_browsers PRIVATE
  LUMO_SYNTHETIC_DB="${CMAKE_BINARY_DIR}/data/synthetic/Lumo.mdb")
add_dependencies(bench_browsers lumo_synthetic_db)
lumo_target_options(bench_browsers)

# Pictures: a 3000 x 2000 JPEG from its row to the fitted picture on the screen.
add_executable(bench_pictures ${CMAKE_CURRENT_LIST_DIR}/PicturesBench.cpp)
target_link_libraries(bench_pictures PRIVATE lumo_browsers lumo_benchmain)
lumo_target_options(bench_pictures)
