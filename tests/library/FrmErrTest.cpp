#include "ErrFixture.h"

#include "library/CKelErr.h"
#include "library/FrmErr.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/Units.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

using lumo::ErrReport;
using lumo::ErrState;
using lumo::frmErr;
using lumo::test::ErrFixture;
using lumo::test::visibleErrButtons;

namespace {

ErrReport standardReport(long mask) {
    ErrReport r;
    r.Message = lumo::ErrMessage(1, QStringLiteral("LUMO-M-P-"), QStringLiteral("Popis"));
    r.Title = QStringLiteral("Chyba databáze");
    r.Buttons = mask;
    r.HelpFile = QStringLiteral("KelErr.Hlp  ");
    r.HelpContext = 42;
    r.TimerInterval = 500;
    r.ExitCode = 1;
    r.WaveFile = QStringLiteral("Err.Wav");
    return r;
}

QPushButton* button(QWidget& d, int index) {
    return d.findChild<QPushButton*>(QStringLiteral("cmdErr%1").arg(index));
}

class FrmErrTest : public ErrFixture {};

} // namespace

TEST_F(FrmErrTest, MaskAndSoundChooseTheVisibleButtonsInTheirOrder) {
    struct Case {
        long mask;
        bool sound;
        QString visible;
    };
    const Case cases[] = {
        {8, false, QStringLiteral("0 1")},
        {8, true, QStringLiteral("0 1 3")},
        {4, false, QStringLiteral("0")},
        {1, false, QStringLiteral("0 1 2")},
        {32 + 64 + 256, false, QStringLiteral("0 4 5 6 1")},
        {1 + 4 + 32 + 64 + 256, true, QStringLiteral("0 4 5 6 2 3")},
        {2 + 16 + 128 + 512, false, QStringLiteral("0 1")},
    };
    for (const Case& c : cases) {
        ErrState().SoundEnabled = c.sound;
        ErrReport r = standardReport(c.mask);
        frmErr d(r);
        d.show();
        QStringList expected;
        for (const QString& i : c.visible.split(u' '))
            expected << QStringLiteral("cmdErr") + i;
        EXPECT_EQ(visibleErrButtons(d), expected) << c.mask << " sound " << c.sound;
        for (qsizetype i = 1; i < expected.size(); ++i) // left to right on screen
            EXPECT_LT(d.findChild<QPushButton*>(expected[i - 1])->x(),
                      d.findChild<QPushButton*>(expected[i])->x());
    }
}

TEST_F(FrmErrTest, CallersColoursAndPlainTextWithTheHeightFollowingTheText) {
    using lumo::ui::TwipsToPixels;
    int previousHeight = 0;
    for (int words : {1, 60}) {
        ErrReport r = standardReport(8);
        r.Message = QStringLiteral("<b>tučně</b> & <i>ne</i>\r\n") +
                    QStringList(words, QStringLiteral("řádek")).join(u' ');
        r.BackColor = 0xFF0000; // blue: red sits in the low byte
        r.ForeColor = 0x008000;
        frmErr d(r);
        d.show();
        auto* label = d.findChild<QLabel*>(QStringLiteral("lblERR"));
        auto* frame = d.findChild<QFrame*>(QStringLiteral("Frame1"));
        ASSERT_TRUE(label && frame);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_TRUE(label->text().startsWith(QStringLiteral("<b>tučně</b> & <i>ne</i>\nřádek")));
        for (QWidget* w :
             {static_cast<QWidget*>(&d), static_cast<QWidget*>(frame), static_cast<QWidget*>(label)})
            EXPECT_EQ(w->palette().color(QPalette::Window), QColor(0, 0, 255))
                << w->objectName().toStdString();
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 128, 0));

        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        EXPECT_EQ(frame->height(), label->height() + TwipsToPixels(420));
        EXPECT_EQ(d.height(), label->height() + TwipsToPixels(880));
        EXPECT_EQ(button(d, 0)->y(), frame->height() + TwipsToPixels(105));
        EXPECT_LE(button(d, 0)->geometry().bottom(), d.height());
        EXPECT_GT(d.height(), previousHeight);
        previousHeight = d.height();
    }
}

TEST_F(FrmErrTest, KeysActBeforeTheFocusedButton) {
    struct Case {
        const char* what;
        long mask;
        int key;
        Qt::KeyboardModifiers mods;
        bool closes, abort, help;
    };
    const Case cases[] = {
        {"Esc", 8, Qt::Key_Escape, Qt::NoModifier, true, false, false},
        {"Enter", 8, Qt::Key_Return, Qt::NoModifier, true, false, false},
        {"keypad Enter", 8, Qt::Key_Enter, Qt::NoModifier, true, false, false},
        {"Ctrl+C asks for shut-down", 8 + 128, Qt::Key_C, Qt::ControlModifier, true, true, false},
        {"Ctrl+C with the exit button hidden", 4 + 128, Qt::Key_C, Qt::ControlModifier, false, false, false},
        {"plain C", 8 + 128, Qt::Key_C, Qt::NoModifier, false, false, false},
        {"F1 with help", 8 + 1, Qt::Key_F1, Qt::NoModifier, false, false, true},
        {"F1 without help", 8, Qt::Key_F1, Qt::NoModifier, false, false, false},
        {"other key", 8, Qt::Key_X, Qt::NoModifier, false, false, false},
    };
    for (const Case& c : cases) {
        helpCalls.clear();
        ErrReport r = standardReport(c.mask);
        frmErr d(r);
        d.show();
        // Keys reach the exit button when it has focus: Enter must still not end the program.
        QWidget* target = button(d, 1)->isVisibleTo(&d) ? static_cast<QWidget*>(button(d, 1)) : &d;
        QKeyEvent event(QEvent::KeyPress, c.key, c.mods);
        QCoreApplication::sendEvent(target, &event);
        EXPECT_EQ(!d.isVisible(), c.closes) << c.what;
        EXPECT_EQ(r.ErrAbort && r.AbortRequested, c.abort) << c.what;
        ASSERT_EQ(helpCalls.size(), c.help ? 1u : 0u) << c.what;
        if (c.help) {
            // Trailing blanks of the help file go; the window type and context come along.
            EXPECT_EQ(helpCalls[0].path, QStringLiteral("KelErr.Hlp>Main"));
            EXPECT_EQ(helpCalls[0].command, 15);
            EXPECT_EQ(helpCalls[0].context, 42);
            EXPECT_EQ(helpCalls[0].owner, &d);
        }
    }
}

TEST_F(FrmErrTest, SoundFollowsDeviceAndSetting) {
    struct Case {
        bool device, enabled;
        QString picture;
        qsizetype wavesOnShow;
        bool clickBeeps;
    };
    const Case cases[] = {
        {true, true, QStringLiteral("ON"), 1, false},
        {false, true, QStringLiteral("OFF"), 0, true},
        {true, false, QStringLiteral("OFF"), 0, false},
    };
    using Beeps = std::vector<std::pair<int, int>>;
    for (const Case& c : cases) {
        waveDevice = c.device;
        ErrState().SoundEnabled = c.enabled;
        beeps.clear();
        waves.clear();
        ErrReport r = standardReport(8);
        frmErr d(r);
        EXPECT_EQ(beeps, (Beeps{{1200, 50}, {1100, 50}, {1000, 100}}));
        d.show();
        EXPECT_EQ(d.SoundPicture(), c.picture);
        EXPECT_EQ(waves, QStringList(c.wavesOnShow, QStringLiteral("Err.Wav")));
        beeps.clear();
        if (button(d, 3)->isVisibleTo(&d))
            button(d, 3)->click();
        EXPECT_EQ(waves.size(), c.wavesOnShow * 2) << "the button replays the wave";
        EXPECT_EQ(beeps, (c.clickBeeps ? Beeps{{1200, 150}} : Beeps{}));
        EXPECT_TRUE(d.isVisible());
    }
}

TEST_F(FrmErrTest, FirstAutoClosingDialogWaitsTwoTicksLaterOnesOne) {
    ErrReport r1 = standardReport(8 + 2);
    frmErr first(r1);
    first.show();
    first.tmrErr_Timer();
    EXPECT_TRUE(first.isVisible());
    first.tmrErr_Timer();
    EXPECT_FALSE(first.isVisible());

    ErrReport r2 = standardReport(8 + 2);
    frmErr second(r2);
    second.show();
    second.tmrErr_Timer();
    EXPECT_FALSE(second.isVisible());
}

TEST_F(FrmErrTest, TimerClosesTheReportByItself) {
    onDialog = [](QDialog&) -> std::optional<int> { return std::nullopt; };
    lumo::CKelErr err;
    err.ErrView(1, QStringLiteral("d"), QStringLiteral("t"), QStringLiteral("s"), 8 + 2, QString(), 0, 255,
                0xFFFFFF, 20);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_TRUE(ErrState().TimerArmed);
}

// A failed statement puts all of it into the description: the dialog stays on the screen
// with its buttons in reach, the text scrolls, and the log keeps every character.
TEST_F(FrmErrTest, ALongDescriptionScrollsInsideTheScreenAndIsLoggedWhole) {
    QString description =
        QStringLiteral("Nelze načíst názvy bylin\r\nSystem: -2147217900 - SELECT * FROM Byliny WHERE ");
    for (int i = 0; description.size() < 12000; ++i)
        description += QStringLiteral("Idx=%1 OR ").arg(i);
    description += QStringLiteral("KONEC");
    onDialog = [&](QDialog& d) -> std::optional<int> {
        d.show();
        const QRect screen = d.screen()->availableGeometry();
        EXPECT_LE(d.frameGeometry().height(), screen.height());
        EXPECT_LE(d.width(), screen.width());
        const QStringList buttons = visibleErrButtons(d);
        EXPECT_FALSE(buttons.isEmpty());
        for (const QString& name : buttons)
            EXPECT_TRUE(d.rect().contains(d.findChild<QPushButton*>(name)->geometry())) << name.toStdString();
        auto* label = d.findChild<QLabel*>(QStringLiteral("lblERR"));
        auto* scroll = d.findChild<QScrollArea*>(QStringLiteral("lblERRScroll"));
        EXPECT_TRUE(label->text().endsWith(QStringLiteral("KONEC")));
        EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
        EXPECT_TRUE(scroll->verticalScrollBar()->isVisibleTo(&d));
        EXPECT_LE(scroll->geometry().bottom(), d.height());
        // The reading keys scroll the text, wherever the focus is.
        QScrollBar* bar = scroll->verticalScrollBar();
        QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
        QCoreApplication::sendEvent(button(d, 0), &pageDown);
        EXPECT_GT(bar->value(), 0);
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QCoreApplication::sendEvent(button(d, 0), &end);
        EXPECT_EQ(bar->value(), bar->maximum());
        EXPECT_TRUE(d.isVisible());
        return 0;
    };
    lumo::CKelErr err;
    err.ErrView(1, description, QStringLiteral("Chyba databáze"), QStringLiteral("LUMO-FrmMain-NactiNazvy-"));
    ASSERT_EQ(seen.size(), 1u);
    const QByteArray log = dir.read(QStringLiteral("Errors.txt"));
    EXPECT_TRUE(log.contains(lumo::text::encodeAnsi(description.mid(description.indexOf(u'S')))));
}
