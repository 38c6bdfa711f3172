#include "library/frmColor.h"

#include "platform/ui/DialogPresenter.h"
#include "platform/ui/Units.h"

namespace lumo {

frmColor::frmColor(long Initial, QWidget* parent)
    : QColorDialog(ui::OleToColor(Initial), parent), m_SelectedColor(Initial) {
    setObjectName(QStringLiteral("frmColor"));
    setOption(QColorDialog::DontUseNativeDialog);
}

long frmColor::Run() {
    if (ui::DialogPresenter::exec(*this) == QDialog::Accepted && selectedColor().isValid())
        m_SelectedColor = ui::ColorToOle(selectedColor());
    return m_SelectedColor;
}

} // namespace lumo
