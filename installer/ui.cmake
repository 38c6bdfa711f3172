# Windows and the services that show them.
list(APPEND LUMO_INSTALLER_SOURCES
  ReportError.cpp ReportError.h FrmErrSetup.cpp FrmErrSetup.h
  SetupRun.cpp SetupRun.h TextViewer.cpp TextViewer.h
  FrmCopy.cpp FrmCopy.h)
list(APPEND LUMO_INSTALLER_SOURCES Shortcuts.cpp Shortcuts.h UpgradeApp.cpp UpgradeApp.h)
list(APPEND LUMO_INSTALLER_SOURCES cLogo.cpp cLogo.h FrmMsg.cpp FrmMsg.h
  frmMain.cpp frmMain.h frmMainState.cpp frmMainActions.cpp)
list(APPEND LUMO_INSTALLER_SOURCES AskYesNo.cpp AskYesNo.h)
