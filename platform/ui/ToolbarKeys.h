#pragma once

class QToolBar;
class QToolButton;

namespace lumo::ui {

// Makes every button of a toolbar, also those added later, a stop of the Tab order, so the
// keys alone reach it: Space, Enter or Return presses the button that has the focus.
void TabStopButtons(QToolBar& bar);

// The same for one button; Down (also with Alt) opens its drop-down when it has one.
void TabStopButton(QToolButton& button);

} // namespace lumo::ui
