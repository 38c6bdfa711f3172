list(APPEND PRINT_SOURCES
  CKelPrinterPrint.cpp
  PrintEngine.cpp PrintEngine.h
  PrinterDialogs.cpp PrinterDialogs.h
  DocumentFile.cpp DocumentFile.h
  FileDialogs.cpp FileDialogs.h)
