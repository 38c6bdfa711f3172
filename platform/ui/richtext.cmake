# The rich-text box, its position model and page layout.
list(APPEND UI_SOURCES
  PositionMap.cpp PositionMap.h
  RichTextBox.cpp RichTextBoxFormat.cpp RichTextBoxLines.cpp RichTextBox.h
  PageLayout.cpp PageLayout.h
  RtfJoin.cpp RtfJoin.h)
