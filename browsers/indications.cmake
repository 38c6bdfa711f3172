# Indications in two levels.
list(APPEND BROWSERS_SOURCES IndicationBrowser.cpp IndicationBrowser.h)
