list(APPEND CORE_SOURCES LumoMain.cpp LumoMain.h FrmSplash.cpp FrmSplash.h)
