#pragma once

#include "core/Settings.h"
#include "mainwindow/HerbRecordView.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QAction;

namespace lumo {

class FrmMain;
struct ComposedRecord;
namespace ui {
class RichTextBox;
}

// The herb record on the main window's first page: composes the selected herb's record
// (HerbRecordComposer) and shows it in RtfByl, runs the section toolbar TbSeg and follows
// the marked words of the description box RtfTemp.
//
// Every load takes a new generation; a load that a newer one overtook returns without
// touching the record, the current herb or the per-herb lists. While composing, the window
// only repaints: user input waits until the composition is done.
class HerbRecord : public QObject, public HerbRecordView {
    Q_OBJECT
public:
    explicit HerbRecord(FrmMain& form);
    ~HerbRecord() override;

    void UkazBylinu() override;

    // A click on section button 1..22 (Ctrl held: hide or show the section; otherwise show
    // it and scroll the record to it).
    void TbSeg_ButtonClick(int Button);
    // A mouse button released in the description box: follows the marked word at the caret.
    void RtfTemp_MouseUp(Qt::MouseButton Button);
    // The part of a category description the caret lies in: 2 its herb list, 1 related
    // indications, 0 broader indications, -1 none.
    static int NajdiOddil(const ui::RichTextBox& box);

    QAction* segmentButton(int i) const { return m_buttons[static_cast<size_t>(i)]; }
    // Whether section i is shown (the button's Tag is not 0).
    bool sectionShown(int i) const;
    int loadDepth() const { return m_loadDepth; }

    // Called at every point where a composition lets the window repaint (tests start
    // overlapping loads from here).
    std::function<void()> onYield;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createButtons();
    void setSectionShown(int i, bool shown);
    bool keepGoing(quint64 generation, int progress);
    void showBusy(bool on);
    void applyRecord(long id, const QString& name, const ComposedRecord& record);
    bool scrollToSection(int i);
    // The herb of the description's herb-list line at the caret; 0 when not known.
    long herbAtCaret() const;
    void endLoad();
    void writeTimingLine(qint64 nanoseconds) const;

    FrmMain& m_form;
    std::array<QAction*, kSegmentCount + 1> m_buttons{};
    quint64 m_generation = 0;
    int m_loadDepth = 0;
    QElapsedTimer m_sinceRepaint;
    // Modifiers of the last mouse button released on a section button.
    std::optional<Qt::KeyboardModifiers> m_clickModifiers;
};

} // namespace lumo
