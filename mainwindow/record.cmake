# The herb record: its composer and the view plumbing on the main window.
list(APPEND MAINWINDOW_SOURCES
  HerbRecordComposer.cpp HerbRecordComposer.h
  HerbRecord.cpp HerbRecord.h)
