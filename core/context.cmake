list(APPEND CORE_SOURCES AppContext.cpp AppContext.h)
