list(APPEND LIBRARY_SOURCES CKelSound.cpp CKelSound.h CKelHelp.cpp CKelHelp.h)
