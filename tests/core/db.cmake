list(APPEND CORE_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/HerbDbTest.cpp ${CMAKE_CURRENT_LIST_DIR}/HerbDbSampleTest.cpp
     ${PROJECT_SOURCE_DIR}/tests/platform/DbFixture.cpp
     ${PROJECT_SOURCE_DIR}/tests/platform/DbFixture.h)
