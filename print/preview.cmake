list(APPEND PRINT_SOURCES
  frmView.cpp frmView.h
  PaperView.cpp PaperView.h)
