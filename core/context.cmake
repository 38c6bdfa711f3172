list(APPEND CORE_SOURCES AppContext.cpp AppContext.h)
list(APPEND CORE_SOURCES PrinterSeam.cpp PrinterSeam.h)
