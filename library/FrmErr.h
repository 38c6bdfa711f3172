#pragma once

#include "library/ErrMain.h"

#include <QDialog>
#include <QHash>
#include <QIcon>

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

namespace lumo {

// The modal error dialog: the message in the caller's colours and the buttons the
// mask asks for; a description taller than the screen scrolls. Child object names
// follow the controls: "Frame1", "lblERR" (inside "lblERRScroll"),
// "cmdErr0" to "cmdErr6", "tmrErr".
class frmErr : public QDialog {
    Q_OBJECT
public:
    // Builds the dialog for report; the user's choice is written back into it.
    explicit frmErr(ErrReport& report, QWidget* parent = nullptr);
    ~frmErr() override;

    // The log could not be written: the caption and the text say so.
    void ShowLogFailure(const QString& logPath, const QString& reason);

    // "ON" or "OFF": the picture of the sound button.
    QString SoundPicture() const { return m_picture; }

    // One tick of the auto-close timer.
    void tmrErr_Timer();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void load();
    void arrange();
    int maxTextHeight() const;
    void cmdErr_Click(int index);
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);
    bool scrollText(int key);
    QString ErrHelpPath() const;
    void ShowErrHelp(long& HelpContext);

    ErrReport& m_report;
    QFrame* Frame1 = nullptr;
    QLabel* lblERR = nullptr;
    QScrollArea* m_scroll = nullptr; // holds lblERR
    std::array<QPushButton*, 7> cmdErr{};
    QTimer* tmrErr = nullptr;
    QHash<QString, QIcon> img;
    QString m_picture;
    bool m_waveReady = false;
    QWidget* m_previousDialog = nullptr;
};

} // namespace lumo
