list(APPEND MAINWINDOW_SOURCES HelpRegistration.cpp HelpRegistration.h)
