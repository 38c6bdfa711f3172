list(APPEND UI_SOURCES DialogPresenter.cpp DialogPresenter.h)
# Lock-key indicators through XKB.
list(APPEND UI_SOURCES LockKeys.cpp LockKeys.h)
