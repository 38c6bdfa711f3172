list(APPEND CORE_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/AislpTest.cpp ${CMAKE_CURRENT_LIST_DIR}/AislpArticleTest.cpp)

# The stand-in communication library the AISLP tests install as "mvawcom.so", and the
# helper that sets up an AISLP installation (also used by the window tests).
add_library(mvawcom_test MODULE ${CMAKE_CURRENT_LIST_DIR}/aislp/MvawTestPlugin.cpp)
target_include_directories(mvawcom_test PRIVATE ${PROJECT_SOURCE_DIR})
lumo_target_options(mvawcom_test)

add_library(lumo_aislp_testsupport STATIC ${CMAKE_CURRENT_LIST_DIR}/aislp/AislpTestPlugin.cpp
            ${CMAKE_CURRENT_LIST_DIR}/aislp/AislpTestPlugin.h)
target_include_directories(lumo_aislp_testsupport PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(lumo_aislp_testsupport PUBLIC lumo_text Qt6::Core)
target_compile_definitions(lumo_aislp_testsupport PRIVATE LUMO_AISLP_TEST_PLUGIN="$<TARGET_FILE:mvawcom_test>")
add_dependencies(lumo_aislp_testsupport mvawcom_test)
lumo_target_options(lumo_aislp_testsupport)
