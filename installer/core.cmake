# Widget-free pieces: state, folders, versions, environment, copy engine, scripts.
list(APPEND LUMO_INSTALLER_SOURCES
  SetupState.h SetupPaths.cpp SetupPaths.h
  VersionCompare.cpp VersionCompare.h
  CVerOS.cpp CVerOS.h EnvironmentTest.cpp EnvironmentTest.h
  CopyEngine.cpp CopyEngine.h
  VbColour.cpp VbColour.h)
list(APPEND LUMO_INSTALLER_SOURCES UpgradeScript.cpp UpgradeScript.h)
list(APPEND LUMO_INSTALLER_SOURCES InstallLog.cpp InstallLog.h)
