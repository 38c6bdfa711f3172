# The collection calendar.
list(APPEND BROWSERS_SOURCES CalendarBrowser.cpp CalendarBrowser.h)
