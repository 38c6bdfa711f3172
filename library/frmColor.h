#pragma once

#include <QColorDialog>

namespace lumo {

// The colour-selection window: the full colour dialog with the colour preselected.
class frmColor : public QColorDialog {
    Q_OBJECT
public:
    // Initial is an OLE colour (red in the low byte).
    explicit frmColor(long Initial, QWidget* parent = nullptr);
    // The chosen colour, or the initial one when the dialog was cancelled.
    long SelectedColor() const { return m_SelectedColor; }
    // Shows the dialog modally and keeps the choice.
    long Run();

private:
    long m_SelectedColor;
};

} // namespace lumo
