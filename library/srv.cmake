list(APPEND LIBRARY_SOURCES CKelSrv.cpp CKelSrv.h CKelSrvValues.cpp CKelSrvFiles.cpp CKelSrvFolders.cpp
     CopyProgress.h SrvFileRecords.cpp SrvFileRecords.h)
