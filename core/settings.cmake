list(APPEND CORE_SOURCES
  IndexedArray.h
  Settings.cpp Settings.h
  SettingsKeys.cpp SettingsKeys.h
  SettingsText.cpp SettingsText.h
  ScreenProfile.cpp ScreenProfile.h
  LangText.cpp LangText.h)
