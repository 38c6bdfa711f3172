list(APPEND UI_SOURCES DialogPresenter.cpp DialogPresenter.h)
