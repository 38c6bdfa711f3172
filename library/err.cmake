list(APPEND LIBRARY_SOURCES CKelErr.cpp CKelErr.h ErrMain.cpp ErrMain.h FrmErr.cpp FrmErr.h)
