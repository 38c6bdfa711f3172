#include "core/FrmSetup.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "core/SetupLogic.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/ui/DialogPresenter.h"

#include "common/TempProgramDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace lumo;

namespace {

const QSize kScreen(15360, 11520);

// A program folder with the sample database and a settings file written from the defaults.
class FrmSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb"),
                                dir.file(QStringLiteral("Lumo.mdb"))));
        App().ErrObj = std::make_unique<CKelErr>();
        App().SrvObj = std::make_unique<CKelSrv>();
        App().IniFile = SettingsFilePath();
        App().Settings = ProgramSettings{};
        SetSegmentTitles();
        LoadSettings(App().Settings, App().IniFile, false, kScreen);
        S().DatabaseLocation = dir.file(QStringLiteral("Lumo.mdb"));
        S().ProfilNumber = 3;
        S().ProfileNames[3] = QStringLiteral("Můj profil");
        S().SafeText = true; // section colours apply only to texts taken as plain text
        S().EscEnabled = false;
        ASSERT_TRUE(SaveSettings(false));
        saved = S();
        iniBytes = dir.read(QStringLiteral("Lumo.ini"));
    }
    void TearDown() override { App().ReleaseObjects(); }

    static ProgramSettings& S() { return App().Settings; }

    // Runs the dialog; script acts on it as a user would. Message boxes get the answer.
    void run(const std::function<void(FrmSetup&)>& script) {
        ui::ScopedDialogHook hook([&](QDialog& d) -> std::optional<int> {
            if (auto* form = qobject_cast<FrmSetup*>(&d)) {
                script(*form);
                return form->isVisible() ? std::optional<int>(QDialog::Rejected) : std::nullopt;
            }
            questions << d.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
            return questionAnswer;
        });
        ShowFrmSetup();
    }
    // A size list takes typed text when it is left; the position list takes a choice.
    static void pick(QComboBox* c, const QString& text) {
        if (!c->isEditable()) {
            c->setCurrentText(text);
            Q_EMIT c->activated(c->currentIndex());
            return;
        }
        c->lineEdit()->selectAll();
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(c->lineEdit(), &typed);
        leave(c->lineEdit());
    }
    static void leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(w, &out);
    }
    static void press(QWidget* w) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    static void key(QWidget* w, int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    test::TempProgramDir dir;
    ProgramSettings saved;
    QByteArray iniBytes;
    QStringList questions;
    int questionAnswer = QMessageBox::Yes;
};

// The largest sizes the dialog offers and a long face name from a settings file keep the
// dialog within the screen, its buttons in reach.
TEST_F(FrmSetupTest, LargeNameSizesAndALongFontNameKeepTheDialogOnTheScreen) {
    S().Names.TitleSize = S().Names.SubTitleSize = S().Names.NameSize = setup::kMaxSize;
    S().FontName = QString(300, u'X');
    QSize hint;
    int titles = 0, shown = 0;
    QRect screen, frame;
    run([&](FrmSetup& f) {
        hint = f.sizeHint().expandedTo(f.minimumSizeHint());
        f.findChild<QTabWidget*>(QStringLiteral("Stb"))->setCurrentIndex(1);
        QApplication::processEvents();
        auto* list = f.findChild<QListWidget*>(QStringLiteral("Lst"));
        titles = list->sizeHintForColumn(0);
        shown = list->maximumViewportSize().width() - list->verticalScrollBar()->sizeHint().width();
        screen = f.screen()->availableGeometry();
        frame = f.frameGeometry();
    });
    EXPECT_LE(hint.width(), 1024);
    EXPECT_LE(hint.height(), 768);
    // On the screen (also run on a 640x480 screen, where the pages scroll); the section titles
    // are read whole from 800 pixels on.
    EXPECT_TRUE(screen.contains(frame)) << frame.y() << " " << frame.height();
    EXPECT_TRUE(screen.width() < 800 || shown >= titles) << shown << " " << titles;
}

TEST_F(FrmSetupTest, EditsApplyAtOnceAndOkStoresTheRestAndTheProfileFile) {
    S().Segments[5].TextSize = saved.Segments[5].TextSize = 11;
    run([&](FrmSetup& f) {
        EXPECT_EQ(f.TxtMain[0]->text(), S().DatabaseLocation);
        EXPECT_EQ(f.TxtSeg[0]->text(), QStringLiteral("Můj profil"));
        ASSERT_EQ(f.Lst->count(), 22);
        EXPECT_EQ(f.Lst->item(0)->text(), S().SegmentTitles[1]);

        // Section 5 to position 2; sizes for all sections; a text colour for section 5 only.
        f.Lst->setCurrentRow(4);
        EXPECT_EQ(f.CurSeg(), 5);
        pick(f.CmbProfil[1], QStringLiteral("2"));
        f.ChkSeg[2]->click();
        pick(f.CmbProfil[2], QStringLiteral("18"));
        pick(f.CmbProfil[3], QStringLiteral("dvanáct")); // not a size: nothing changes
        EXPECT_EQ(f.CmbProfil[3]->currentText(), QStringLiteral("11"));
        // Passing through a size list of another section without typing changes nothing.
        f.Lst->setCurrentRow(0);
        leave(f.CmbProfil[3]->lineEdit());
        f.Lst->setCurrentRow(4);
        pick(f.CmbProfil[2], QStringLiteral("3"));
        EXPECT_EQ(f.CmbProfil[2]->currentText(), QStringLiteral("3"));
        pick(f.CmbProfil[2], QStringLiteral("18"));
        f.ChkSeg[2]->click();
        press(f.LblTxt[4]);

        // Checking section 7 makes it the edited one; its indent takes pixels within range.
        f.Lst->item(6)->setCheckState(f.Lst->item(6)->checkState() == Qt::Checked ? Qt::Unchecked
                                                                                  : Qt::Checked);
        EXPECT_EQ(f.CurSeg(), 7);
        EXPECT_EQ(f.Lst->currentRow(), 6);
        f.TxtSeg[1]->setText(QStringLiteral("20"));
        leave(f.TxtSeg[1]);
        f.TxtSeg[1]->setText(QStringLiteral("3000"));
        leave(f.TxtSeg[1]);

        // Names block and profile name.
        pick(f.CmbHdr[0], QStringLiteral("20"));
        press(f.LblP[12]);
        f.TxtSeg[0]->setText(QStringLiteral("Velké písmo   "));
        leave(f.TxtSeg[0]);

        f.TxtPrn[0]->setText(QStringLiteral("abc"));
        f.TxtPrn[1]->setText(QStringLiteral("7"));
        // A switch is yellow while it has the focus and looks as before once left.
        const QPalette before = f.ChkPrg[1]->palette();
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(f.ChkPrg[1], &in);
        EXPECT_EQ(f.ChkPrg[1]->palette().color(QPalette::Window), QColor(Qt::yellow));
        leave(f.ChkPrg[1]);
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
            EXPECT_EQ(f.ChkPrg[1]->palette().color(role), before.color(role)) << role;
        EXPECT_FALSE(f.ChkPrg[1]->autoFillBackground());
        f.ChkPrg[1]->click();
        f.ChkSeg[0]->click();
        f.CmdRun[0]->click();
        EXPECT_FALSE(f.isVisible());
    });
    const ProgramSettings& s = S();
    EXPECT_EQ(s.Segments[5].Index, 2);
    for (int i = 1; i <= 22; ++i) {
        const int o = saved.Segments[i].Index;
        if (i != 5) {
            EXPECT_EQ(s.Segments[i].Index, o >= 2 && o < saved.Segments[5].Index ? o + 1 : o) << i;
        }
        EXPECT_EQ(s.Segments[i].TitleSize, 18) << i;
        EXPECT_EQ(s.Segments[i].TextSize, saved.Segments[i].TextSize) << i;
    }
    EXPECT_EQ(s.Segments[5].TextColor, 4);
    EXPECT_EQ(s.Segments[4].TextColor, saved.Segments[4].TextColor);
    EXPECT_NE(s.Segments[7].Enabled, saved.Segments[7].Enabled);
    EXPECT_EQ(s.Segments[7].LeftIndent, 300);
    EXPECT_EQ(s.Names.TitleSize, 20);
    EXPECT_EQ(s.Names.NameColor, 12);
    EXPECT_EQ(s.ProfileNames[3], QStringLiteral("Velké písmo"));
    EXPECT_EQ(s.LeftMargin, saved.LeftMargin);
    EXPECT_EQ(s.RightMargin, 7.0f);
    EXPECT_NE(s.MultipleRun, saved.MultipleRun);
    EXPECT_TRUE(s.UpdateProfil);
    EXPECT_TRUE(questions.isEmpty());

    // The profile file holds the new profile; "Lumo.ini" waits for the main window's closing.
    EXPECT_EQ(dir.read(QStringLiteral("Lumo.ini")), iniBytes);
    ProgramSettings profile = saved;
    LoadSettings(profile, dir.file(QStringLiteral("Lumo3.ini")), true, kScreen);
    EXPECT_EQ(profile.Segments[5].Index, 2);
    EXPECT_EQ(profile.Segments[12].TitleSize, 18);
    EXPECT_EQ(profile.Names.NameColor, 12);
}

// Text pasted into a one-line box keeps its first line, as the single-line edit control does,
// so the settings file can store it: a line break in a value would fail the whole save.
TEST_F(FrmSetupTest, PastedLinesKeepTheirFirstLineAndTheSettingsStore) {
    run([&](FrmSetup& f) {
        QGuiApplication::clipboard()->setText(QStringLiteral("/opt/AISLP/MVAW.exe\r\n[Main]\nAISLPCmd=x"));
        f.TxtMain[1]->clear();
        f.TxtMain[1]->paste();
        f.TxtSeg[0]->setCursorPosition(3); // after "Můj"
        QGuiApplication::clipboard()->setText(QStringLiteral(" nový\ndruhý řádek"));
        f.TxtSeg[0]->paste();
        leave(f.TxtSeg[0]);
        f.TxtSeg[1]->setText(QStringLiteral("20") + QChar(0) + QStringLiteral("99"));
        leave(f.TxtSeg[1]);
        f.CmdRun[0]->click();
    });
    EXPECT_EQ(S().AISLPCmd, QStringLiteral("/opt/AISLP/MVAW.exe"));
    EXPECT_TRUE(questions.isEmpty());

    // A pasted path of 10,000 characters is asked about with its middle left out, so that the
    // question fits the screen; the setting keeps the whole path.
    const QString longPath = QStringLiteral("/x").repeated(5000) + QStringLiteral("/Lumo.mdb");
    run([&](FrmSetup& f) {
        f.TxtMain[0]->setText(longPath);
        f.CmdRun[0]->click();
    });
    EXPECT_EQ(S().DatabaseLocation, longPath);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("V zadaném umístění /x/x")));
    EXPECT_TRUE(questions[0].contains(QChar(0x2026)));
    EXPECT_TRUE(questions[0].contains(QStringLiteral("/x/Lumo.mdb se databáze nenachází")));
    EXPECT_LT(questions[0].size(), 500);
    questions.clear();
    EXPECT_EQ(S().ProfileNames[3], QStringLiteral("Můj nový profil"));
    EXPECT_EQ(S().Segments[1].LeftIndent, 300);
    ASSERT_TRUE(SaveSettings(false));
    ProgramSettings stored;
    LoadSettings(stored, App().IniFile, false, kScreen);
    EXPECT_EQ(stored.AISLPCmd, S().AISLPCmd);
    EXPECT_EQ(stored.ProfileNames[3], S().ProfileNames[3]);
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(FrmSetupTest, CancelReloadsTheFileAndTheCloseBoxKeepsOnlyTheImmediateChanges) {
    const long colour = (saved.Segments[1].TitleColor + 1) % 16;
    run([&](FrmSetup& f) {
        press(f.LblNad[colour]);
        EXPECT_EQ(S().Segments[1].TitleColor, colour);
        // Esc does nothing while it may not close windows.
        key(f.TxtPrn[0], Qt::Key_Escape);
        EXPECT_TRUE(f.isVisible());
        f.CmdRun[1]->click();
    });
    EXPECT_EQ(S().Segments[1].TitleColor, saved.Segments[1].TitleColor);

    run([&](FrmSetup& f) {
        press(f.LblNad[colour]);
        f.TxtPrn[2]->setText(QStringLiteral("33"));
        f.close();
    });
    EXPECT_EQ(S().Segments[1].TitleColor, colour);
    EXPECT_EQ(S().TopMargin, saved.TopMargin);

    // With Esc allowed it cancels.
    S().EscEnabled = true;
    run([&](FrmSetup& f) { key(f.Lst, Qt::Key_Escape); });
    EXPECT_EQ(S().Segments[1].TitleColor, saved.Segments[1].TitleColor);
}

// The colour rows are reached by Tab like every other control; the arrow keys choose.
TEST_F(FrmSetupTest, TheColourRowsAreTabStopsWhoseArrowKeysChooseTheColour) {
    // The next control Tab gives the focus to.
    const auto tabFrom = [](QWidget* w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    S().Segments[3].TitleColor = 14;
    run([&](FrmSetup& f) {
        QWidget* titles = tabFrom(f.TxtSeg[1]);
        ASSERT_EQ(titles, f.LblNad[0]->parentWidget());
        EXPECT_EQ(tabFrom(titles), f.LblTxt[0]->parentWidget());
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(titles, &in);
        EXPECT_EQ(titles->palette().color(QPalette::Window), QColor(Qt::yellow));
        leave(titles);
        EXPECT_FALSE(titles->autoFillBackground());

        f.Lst->setCurrentRow(2);
        key(titles, Qt::Key_Right);
        key(titles, Qt::Key_Right); // the last colour stays the last
        EXPECT_EQ(S().Segments[3].TitleColor, 15);
        key(tabFrom(titles), Qt::Key_Home);
        EXPECT_EQ(S().Segments[3].TextColor, 0);
        QWidget* names = tabFrom(f.CmbHdr[2]->lineEdit());
        ASSERT_EQ(names, f.LblP[0]->parentWidget());
        key(names, Qt::Key_End);
        key(names, Qt::Key_Left);
        EXPECT_EQ(S().Names.NameColor, 14);

        // Section colours that do not apply are passed over.
        f.ChkSeg[1]->click();
        EXPECT_EQ(tabFrom(f.TxtSeg[1]), f.ChkSeg[2]);
        f.CmdRun[1]->click();
    });
}

TEST_F(FrmSetupTest, AMissingDatabaseIsQuestionedAndANewInstallationHasNoProfileToName) {
    S().ProfilNumber = 0;
    S().Language = 7;
    questionAnswer = QMessageBox::No;
    run([&](FrmSetup& f) {
        EXPECT_FALSE(f.TxtSeg[0]->isEnabled());
        EXPECT_EQ(f.CmbLang->currentIndex(), 0);
        f.TxtMain[0]->setText(QStringLiteral("/nikde/Lumo.mdb"));
        f.ChkSeg[0]->click();
        f.CmdRun[0]->click();
        EXPECT_TRUE(f.isVisible());
        questionAnswer = QMessageBox::Yes;
        f.CmdRun[0]->click();
        EXPECT_FALSE(f.isVisible());
    });
    ASSERT_EQ(questions.size(), 2);
    EXPECT_EQ(questions[0],
              QStringLiteral("V zadaném umístění /nikde/Lumo.mdb se databáze nenachází, při příštím "
                             "spuštění programu můžete mít problémy s připojením k databázi. "
                             "Chcete pokračovat?"));
    EXPECT_EQ(S().DatabaseLocation, QStringLiteral("/nikde/Lumo.mdb"));
    EXPECT_EQ(S().Language, 7);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Lumo0.ini"))));
}

TEST(SetupLogicTest, PositionsStayAPermutationAndTypedNumbersKeepTheirRanges) {
    ProgramSettings s;
    for (int i = 1; i <= 22; ++i)
        s.Segments[i].Index = static_cast<qint16>(i);
    setup::MoveSegment(s, 5, 2);
    EXPECT_EQ((std::vector<int>{s.Segments[2].Index, s.Segments[3].Index, s.Segments[4].Index,
                                s.Segments[5].Index}),
              (std::vector<int>{3, 4, 5, 2}));
    setup::MoveSegment(s, 5, 5);
    for (int i = 1; i <= 22; ++i)
        EXPECT_EQ(s.Segments[i].Index, i);
    setup::MoveSegment(s, 1, 22);
    std::vector<int> seen;
    for (int i = 1; i <= 22; ++i)
        seen.push_back(s.Segments[i].Index);
    std::sort(seen.begin(), seen.end());
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(seen[i], i + 1);

    EXPECT_EQ(setup::ParseSize(QStringLiteral("18")), 18);
    for (const char* bad : {"0", "401", "12.5", "x", "", "-3"})
        EXPECT_FALSE(setup::ParseSize(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(setup::ParseIndent(QStringLiteral("20")), 300);
    EXPECT_EQ(setup::ParseIndent(QStringLiteral("2184")), 32760);
    for (const char* bad : {"0", "2185", "x", "-1"})
        EXPECT_FALSE(setup::ParseIndent(QString::fromLatin1(bad))) << bad;
    // A decimal comma is a decimal comma under any locale, never a thousands separator.
    const QLocale previous;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Czech)}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(setup::ParseMargin(QStringLiteral("12,5")), 12.5f) << locale.name().toStdString();
        EXPECT_EQ(setup::ParseMargin(QStringLiteral("1,250")), 1.25f) << locale.name().toStdString();
    }
    QLocale::setDefault(previous);
    EXPECT_EQ(setup::ParseMargin(QStringLiteral("12.5")), 12.5f);
    EXPECT_EQ(setup::ParseMargin(QStringLiteral("-3")), -3.0f);
    EXPECT_FALSE(setup::ParseMargin(QStringLiteral("abc")));
    EXPECT_EQ(setup::BrowseFolder(QStringLiteral("C:\\Data\\lumo.MDB"), QStringLiteral("LUMO.mdb"),
                                  QStringLiteral("F")),
              QStringLiteral("C:/Data/"));
    EXPECT_EQ(
        setup::BrowseFolder(QStringLiteral("/x/jiny.mdb"), QStringLiteral("LUMO.mdb"), QStringLiteral("F")),
        QStringLiteral("F"));
}

} // namespace
