set(RTF_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RtfReaderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RtfInsertTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RtfMalformedTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RtfNoLossTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RtfDocumentsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RtfWriterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RtfTextTest.cpp)
# The fixtures' folder, for runs without LUMO_TEST_DATA in the environment.
set_source_files_properties(${RTF_TEST_SOURCES} PROPERTIES
    COMPILE_DEFINITIONS "LUMO_RTF_TEST_DATA=\"${PROJECT_SOURCE_DIR}/tests/data/rtf\"")
list(APPEND PLATFORM_TEST_SOURCES ${CMAKE_CURRENT_LIST_DIR}/RtfTestSupport.h ${RTF_TEST_SOURCES}
     ${PROJECT_SOURCE_DIR}/platform/rtf/fuzz/RtfWordOracle.cpp ${PROJECT_SOURCE_DIR}/platform/rtf/fuzz/RtfWordOracle.h)
