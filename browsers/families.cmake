# Botanical families and literature.
list(APPEND BROWSERS_SOURCES
  FamilyBrowser.cpp FamilyBrowser.h
  LiteratureBrowser.cpp LiteratureBrowser.h)
