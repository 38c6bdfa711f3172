list(APPEND UI_SOURCES DialogPresenter.cpp DialogPresenter.h)
# Lock-key indicators through XKB.
list(APPEND UI_SOURCES LockKeys.cpp LockKeys.h)
# Qt's own dialog texts in Czech.
list(APPEND UI_SOURCES QtTranslations.cpp QtTranslations.h)
# Single-line text boxes.
list(APPEND UI_SOURCES OneLineBox.cpp OneLineBox.h)
# Toolbar buttons reached by Tab.
list(APPEND UI_SOURCES ToolbarKeys.cpp ToolbarKeys.h)
