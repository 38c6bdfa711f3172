list(APPEND LIBRARY_SOURCES CKelSrv.cpp CKelSrv.h CKelSrvValues.cpp CKelSrvFiles.cpp CKelSrvFolders.cpp
     CopyProgress.h SrvFileRecords.cpp SrvFileRecords.h
     CKelSrvSystem.cpp MSrvMain.cpp MSrvMain.h frmInfo.cpp frmInfo.h frmColor.cpp frmColor.h)
