list(APPEND CORE_SOURCES FrmSetup.cpp FrmSetup.h FrmSetupEditors.cpp SetupLogic.cpp SetupLogic.h
     frmAbout.cpp frmAbout.h)
