list(APPEND CORE_SOURCES HerbDb.cpp HerbDb.h)
