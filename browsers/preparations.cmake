list(APPEND BROWSERS_SOURCES
  PreparationDescription.cpp PreparationDescription.h
  PreparationBrowser.cpp PreparationBrowser.h
  PreparationsRegistration.cpp PreparationsRegistration.h)
