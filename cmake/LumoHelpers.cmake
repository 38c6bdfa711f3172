# Common compile options for every target of the project.
function(lumo_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-error=deprecated-declarations)
  target_compile_definitions(${target} PRIVATE
    QT_NO_KEYWORDS
    LUMO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    LUMO_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    LUMO_VERSION_PATCH=${PROJECT_VERSION_PATCH})
endfunction()

# lumo_add_library(name SOURCES ... LIBS ...): a static library rooted at the project folder.
function(lumo_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  lumo_target_options(${name})
endfunction()

# lumo_add_test(name SOURCES ... LIBS ...): one GoogleTest executable registered with CTest.
# Every test runs offscreen; LUMO_PROGRAM_DIR is set per test by the fixtures themselves.
function(lumo_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  lumo_target_options(${name})
  include(GoogleTest)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  # One variable only: a list here would be split by the discovery script.
  # The test main sets LUMO_TEST_DATA and LUMO_BUILD_DIR from compile definitions.
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
