#pragma once

class QToolBar;

namespace lumo::ui {

// Makes every button of a toolbar, also those added later, a stop of the Tab order, so the
// keys alone reach it: Space, Enter or Return presses the button that has the focus.
void TabStopButtons(QToolBar& bar);

} // namespace lumo::ui
