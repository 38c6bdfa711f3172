list(APPEND PRINT_SOURCES
  frmView.cpp frmViewKeys.cpp frmView.h
  PaperView.cpp PaperView.h)
