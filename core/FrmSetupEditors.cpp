// The settings dialog's editors: sections, names block, browsing, keys and focus colours.
#include "core/AppContext.h"
#include "core/FrmSetup.h"
#include "core/SetupLogic.h"
#include "library/CKelSrv.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/rtf/FontMap.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/ui/Units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace lumo {

namespace {

constexpr long kFocusBack = 0xFFFF; // yellow
constexpr long kFocusFore = 0;
constexpr long kWindowBack = 0xFFFFFF;
constexpr long kInvalidFore = 255; // red
// Colour rows: the section's title and text colours, the names block's title, subtitle, names.
constexpr int kColourRows = 5;

ProgramSettings& S() {
    return App().Settings;
}

void setForeColor(QLineEdit* box, long ole) {
    QPalette p = box->palette();
    p.setColor(QPalette::Text, ui::OleToColor(ole));
    box->setPalette(p);
    QFont f = box->font();
    // The second mark of an invalid entry, for those who do not see the red.
    f.setUnderline(ole == kInvalidFore);
    box->setFont(f);
}

// Shows a size in a size list. The list's own choice follows the text, so leaving the list
// does not take the shown size for a choice of the user's.
void showSize(QComboBox* list, int size) {
    const QString text = QString::number(size);
    const int item = list->findText(text);
    if (item >= 0)
        list->setCurrentIndex(item);
    list->setEditText(text);
}

template <size_t N> int indexOf(const std::array<QLabel*, N>& labels, QObject* o) {
    for (size_t i = 0; i < N; ++i)
        if (labels[i] == o)
            return static_cast<int>(i);
    return -1;
}

} // namespace

void FrmSetup::paintBack(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Button, colour);
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

bool FrmSetup::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(key->key(), key->modifiers()) || swatchKey(watched, key->key()))
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (auto* w = qobject_cast<QWidget*>(watched))
            focusIn(w);
        break;
    case QEvent::FocusOut:
        if (auto* w = qobject_cast<QWidget*>(watched))
            focusOut(w);
        break;
    case QEvent::MouseButtonPress:
        for (int row = 0; row < kColourRows; ++row) {
            if (const int c = indexOf(swatchRow(row), watched); c >= 0) {
                pickColour(row, c);
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

// The dialog sees keys before its controls.
bool FrmSetup::Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift) {
    if (Shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    switch (KeyCode) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter moves on like Tab; a size typed into a list is taken on the way.
        focusNextChild();
        return true;
    case Qt::Key_Escape:
        // Without EscEnabled the key does nothing at all.
        if (S().EscEnabled) {
            reloadSettings();
            unload(QDialog::Rejected);
        }
        return true;
    case Qt::Key_F1:
        CmdRun_Click(2);
        return true;
    default:
        return false;
    }
}

bool FrmSetup::isTextBox(const QObject* box) const {
    return std::find(TxtMain.begin(), TxtMain.end(), box) != TxtMain.end() ||
           std::find(TxtPrn.begin(), TxtPrn.end(), box) != TxtPrn.end() || box == TxtSeg[0] ||
           box == TxtSeg[1] || box == TxtHdr;
}

// The check boxes of the program and print settings mark their focus in yellow.
bool FrmSetup::isSwitch(const QObject* box) const {
    return box == ChkMain || box == ChkPrn || std::find(ChkPrg.begin(), ChkPrg.end(), box) != ChkPrg.end();
}

void FrmSetup::focusIn(QWidget* control) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        if (isTextBox(box))
            App().SrvObj->TBoxGotFocus(box, kFocusBack, kFocusFore);
    } else if (isSwitch(control) || control == CmbLang || swatchStripRow(control) >= 0) {
        paintBack(control, ui::OleToColor(kFocusBack));
    }
}

void FrmSetup::focusOut(QWidget* control) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        const int main = static_cast<int>(std::find(TxtMain.begin(), TxtMain.end(), box) - TxtMain.begin());
        const int prn = static_cast<int>(std::find(TxtPrn.begin(), TxtPrn.end(), box) - TxtPrn.begin());
        if (isTextBox(box))
            App().SrvObj->TBoxLostFocus(box, kWindowBack, kFocusFore);
        if (main < 2)
            setForeColor(box, App().SrvObj->FileExist(box->text()) ? 0 : kInvalidFore);
        else if (prn < 4)
            setForeColor(box, setup::ParseMargin(box->text()) ? 0 : kInvalidFore);
        else if (box == TxtSeg[0])
            TxtSeg_LostFocus(0);
        else if (box == TxtSeg[1])
            TxtSeg_LostFocus(1);
        else if (box == TxtHdr)
            TxtHdr_LostFocus();
    } else if (isSwitch(control) || control == CmbLang || swatchStripRow(control) >= 0) {
        // Back to the system's own colours (the button face of a check box, the window colour
        // of the list): a colour painted over them would leave a band and a grey check box.
        control->setPalette(QPalette());
        control->setAutoFillBackground(false);
    }
}

void FrmSetup::CmdMain_Click(int Index) {
    const bool db = Index == 0;
    const QString folder =
        db ? setup::BrowseFolder(TxtMain[0]->text(), QStringLiteral("LUMO.mdb"), paths::ProgramDir())
           : setup::BrowseFolder(TxtMain[1]->text(), QStringLiteral("MVAW.exe"), QDir::homePath());
    QFileDialog dialog(
        this, db ? QStringLiteral("Zadejte umístění databáze") : QStringLiteral("Zadejte umístění AISLP"),
        folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The filters read as their names alone ("Databáze Zefiraku"), without their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(db ? QStringLiteral("mdb") : QStringLiteral("exe"));
    dialog.setNameFilters(
        db ? QStringList{QStringLiteral("Databáze Zefiraku (LUMO.mdb Lumo.mdb lumo.mdb)"),
                         QStringLiteral("Soubory mdb (*.mdb *.MDB)"), QStringLiteral("Všechny soubory (*)")}
           : QStringList{QStringLiteral("AISLP Win (MVAW.exe mvaw.exe)"),
                         QStringLiteral("Soubory EXE (*.exe *.EXE)"), QStringLiteral("Všechny soubory (*)")});
    // A cancelled dialog changes nothing.
    if (ui::DialogPresenter::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    TxtMain[Index]->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

void FrmSetup::Lst_Click() {
    if (m_Loading || Lst->currentRow() < 0)
        return;
    m_CurSeg = Lst->currentRow() + 1;
    showSegment();
}

// A click on a check box also makes its section the one being edited, so the later
// edits land on the section the user checked.
void FrmSetup::Lst_ItemCheck(int Item, bool checked) {
    if (m_Loading || Item < 0)
        return;
    m_CurSeg = Item + 1;
    S().Segments[m_CurSeg].Enabled = checked;
    if (Lst->currentRow() != Item)
        Lst->setCurrentRow(Item);
}

void FrmSetup::CmbProfil_Click(int Index) {
    if (m_Loading)
        return;
    ProgramSettings& s = S();
    if (Index == 1) {
        setup::MoveSegment(s, m_CurSeg, CmbProfil[1]->currentIndex() + 1);
        return;
    }
    const std::optional<int> size = setup::ParseSize(CmbProfil[Index]->currentText());
    if (!size) {
        restoreSizeText(Index);
        return;
    }
    const bool all = ChkSeg[2]->isChecked();
    for (int i = all ? 1 : m_CurSeg; i <= (all ? kSegmentCount : m_CurSeg); ++i)
        (Index == 2 ? s.Segments[i].TitleSize : s.Segments[i].TextSize) = static_cast<qint16>(*size);
}

void FrmSetup::restoreSizeText(int Index) {
    const SegmentSettings& seg = S().Segments[m_CurSeg];
    showSize(CmbProfil[Index], Index == 2 ? seg.TitleSize : seg.TextSize);
}

// A title or text colour for the section selected in the list, or for all 22.
void FrmSetup::setSectionColour(bool title, int Index) {
    const std::array<QLabel*, 16>& swatches = title ? LblNad : LblTxt;
    if (!swatches[Index]->isEnabled())
        return;
    const bool all = ChkSeg[2]->isChecked();
    const int sel = Lst->currentRow() + 1;
    for (int i = all ? 1 : sel; i <= (all ? kSegmentCount : sel); ++i)
        (title ? S().Segments[i].TitleColor : S().Segments[i].TextColor) = Index;
    moveMarker(title ? m_MarkNad : m_MarkTxt, swatches[Index]);
}

void FrmSetup::LblNad_Click(int Index) {
    setSectionColour(true, Index);
}

void FrmSetup::LblTxt_Click(int Index) {
    setSectionColour(false, Index);
}

void FrmSetup::TxtSeg_LostFocus(int Index) {
    ProgramSettings& s = S();
    if (Index == 0) {
        if (s.ProfilNumber >= 1 && s.ProfilNumber <= kProfileCount) {
            s.ProfileNames[s.ProfilNumber] = text::rightTrimBlanks(TxtSeg[0]->text());
        }
        return;
    }
    if (const std::optional<int> twips = setup::ParseIndent(TxtSeg[1]->text()))
        s.Segments[Lst->currentRow() + 1].LeftIndent = *twips;
}

void FrmSetup::ChkSeg_Click(int Index) {
    if (Index == 0) {
        S().UpdateProfil = ChkSeg[0]->isChecked();
    } else if (Index == 1) {
        S().SafeText = !ChkSeg[1]->isChecked();
        showSwatchState();
    }
}

void FrmSetup::CmbHdr_Click(int Index) {
    if (m_Loading)
        return;
    NamesStyle& n = S().Names;
    if (Index == 3) {
        S().FontName = CmbHdr[3]->currentText();
    } else if (const std::optional<int> size = setup::ParseSize(CmbHdr[Index]->currentText())) {
        (Index == 0 ? n.TitleSize : (Index == 1 ? n.SubTitleSize : n.NameSize)) = static_cast<qint16>(*size);
    }
    showNames();
}

void FrmSetup::LblName_Click(int Row, int Index) {
    NamesStyle& n = S().Names;
    (Row == 0 ? n.TitleColor : (Row == 1 ? n.SubTitleColor : n.NameColor)) = Index;
    showNames();
}

const std::array<QLabel*, 16>& FrmSetup::swatchRow(int row) const {
    const std::array<const std::array<QLabel*, 16>*, kColourRows> rows = {&LblNad, &LblTxt, &LblN, &LblT,
                                                                          &LblP};
    return *rows[row];
}

// The colour row whose strip control is, or -1.
int FrmSetup::swatchStripRow(const QObject* control) const {
    for (int row = 0; row < kColourRows; ++row)
        if (control == swatchRow(row)[0]->parent())
            return row;
    return -1;
}

int FrmSetup::chosenColour(int row) const {
    const NamesStyle& n = S().Names;
    const SegmentSettings& seg = S().Segments[Lst->currentRow() + 1];
    const int colours[kColourRows] = {seg.TitleColor, seg.TextColor, n.TitleColor, n.SubTitleColor,
                                      n.NameColor};
    return colours[row];
}

void FrmSetup::pickColour(int row, int colour) {
    if (row == 0)
        LblNad_Click(colour);
    else if (row == 1)
        LblTxt_Click(colour);
    else
        LblName_Click(row - 2, colour);
}

// Left and Right step to the neighbouring colour of a strip, Home and End to its ends.
bool FrmSetup::swatchKey(const QObject* strip, int key) {
    const int row = swatchStripRow(strip);
    if (row < 0)
        return false;
    const int now = std::clamp(chosenColour(row), 0, 15);
    int colour = 0;
    switch (key) {
    case Qt::Key_Left:
        colour = std::max(now - 1, 0);
        break;
    case Qt::Key_Right:
        colour = std::min(now + 1, 15);
        break;
    case Qt::Key_Home:
        break;
    case Qt::Key_End:
        colour = 15;
        break;
    default:
        return false;
    }
    pickColour(row, colour);
    return true;
}

void FrmSetup::TxtHdr_LostFocus() {
    if (const std::optional<int> twips = setup::ParseIndent(TxtHdr->text()))
        S().Names.LeftIndent = *twips;
}

void FrmSetup::showSegment() {
    const ProgramSettings& s = S();
    const SegmentSettings& seg = s.Segments[m_CurSeg];
    CmbProfil[1]->setCurrentIndex(seg.Index - 1);
    showSize(CmbProfil[2], seg.TitleSize);
    showSize(CmbProfil[3], seg.TextSize);
    ChkSeg[0]->setChecked(s.UpdateProfil);
    ChkSeg[1]->setChecked(!s.SafeText);
    TxtSeg[1]->setText(QString::number(seg.LeftIndent / setup::kTwipsPerPixel));
    if (seg.TitleColor >= 0 && seg.TitleColor < 16)
        moveMarker(m_MarkNad, LblNad[seg.TitleColor]);
    if (seg.TextColor >= 0 && seg.TextColor < 16)
        moveMarker(m_MarkTxt, LblTxt[seg.TextColor]);
}

void FrmSetup::showNames() {
    const ProgramSettings& s = S();
    const NamesStyle& n = s.Names;
    const int sizes[3] = {n.TitleSize, n.SubTitleSize, n.NameSize};
    const int colours[3] = {n.TitleColor, n.SubTitleColor, n.NameColor};
    const std::array<QLabel*, 16>* rows[3] = {&LblN, &LblT, &LblP};
    // A font that is not installed is still shown and kept as it is stored.
    if (CmbHdr[3]->findText(s.FontName) < 0)
        CmbHdr[3]->insertItem(0, s.FontName);
    CmbHdr[3]->setCurrentIndex(CmbHdr[3]->findText(s.FontName));
    for (int r = 0; r < 3; ++r) {
        showSize(CmbHdr[r], sizes[r]);
        if (colours[r] >= 0 && colours[r] < 16)
            moveMarker(m_MarkNames[r], (*rows[r])[colours[r]]);
        QFont f(rtf::SubstituteFont(s.FontName));
        if (sizes[r] > 0)
            f.setPointSize(sizes[r]);
        LblNaz[r]->setFont(f);
        QPalette p = LblNaz[r]->palette();
        p.setColor(QPalette::WindowText, ui::OleToColor(ui::PaletteColor(colours[r])));
        LblNaz[r]->setPalette(p);
    }
    TxtHdr->setText(QString::number(n.LeftIndent / setup::kTwipsPerPixel));
}

// With formatted section texts the section colours do not apply: grey and disabled.
void FrmSetup::showSwatchState() {
    const bool safe = S().SafeText;
    for (int c = 0; c < 16; ++c) {
        for (QLabel* l : {LblNad[c], LblTxt[c]}) {
            paintBack(l, ui::OleToColor(ui::PaletteColor(safe ? c : 7)));
            l->setEnabled(safe);
        }
    }
    for (QFrame* m : {m_MarkNad, m_MarkTxt})
        paintBack(m, ui::OleToColor(ui::PaletteColor(safe ? 0 : 8)));
    // Their strips leave the Tab order with them.
    for (int row = 0; row < 2; ++row)
        swatchRow(row)[0]->parentWidget()->setFocusPolicy(safe ? Qt::StrongFocus : Qt::NoFocus);
}

void FrmSetup::moveMarker(QFrame* marker, QLabel* swatch) {
    const int off = ui::TwipsToPixels(30);
    marker->move(swatch->x() - off, swatch->y() - off);
    marker->setFixedSize(swatch->width() + 2 * off, swatch->height() + 2 * off);
    marker->lower();
}

void ShowFrmSetup(QWidget* owner) {
    FrmSetup form(owner);
    form.Form_Load();
    ui::DialogPresenter::exec(form);
}

} // namespace lumo
