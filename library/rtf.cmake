list(APPEND LIBRARY_SOURCES CKelSrvRtf.cpp FrmRTF.cpp FrmRTF.h)
