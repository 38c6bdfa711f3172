list(APPEND INSTALLER_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SetupWindowsTest.cpp
     ${CMAKE_CURRENT_LIST_DIR}/SetupActionsTest.cpp
     ${CMAKE_CURRENT_LIST_DIR}/SetupBadInputTest.cpp)
