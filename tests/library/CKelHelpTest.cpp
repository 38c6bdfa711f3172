#include "library/CKelHelp.h"
#include "platform/help/ChmFile.h"
#include "platform/help/HelpWindow.h"
#include "platform/help/HtmlHelp.h"

#include "common/TempProgramDir.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QtEndian>

#include <gtest/gtest.h>

#include <utility>

namespace lumo {
namespace {

class CKelHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const QString& name : {QStringLiteral("Lumo.chm"), QStringLiteral("KelErr.Hlp")}) {
            QFile built(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/") + name);
            ASSERT_TRUE(built.open(QIODevice::ReadOnly)) << name.toStdString();
            dir.write(name, built.readAll());
        }
    }
    void TearDown() override { help::CloseHelpWindows(); }

    // The program's help file opened at a context number; its window.
    help::HelpWindow* openAt(CKelHelp& h, long context) {
        h.HelpName(dir.file(QStringLiteral("Lumo.chm")));
        h.ShowHelp(1, context, {}, 1);
        return help::OpenHelpWindow(h.HelpName());
    }

    static QString shownText(help::HelpWindow* w) {
        return w->findChild<QTextBrowser*>(QStringLiteral("HelpTopic"))->toPlainText();
    }

    test::TempProgramDir dir;
};

// Every context number the program asks for has a topic of its own page.
TEST_F(CKelHelpTest, TheProgramsHelpFileHasATopicForEveryContextNumber) {
    help::ChmFile chm;
    ASSERT_TRUE(chm.open(dir.file(QStringLiteral("Lumo.chm"))));
    EXPECT_EQ(chm.defaultTopic(), QStringLiteral("/uvod.html"));
    QStringList topics;
    for (long id : {1000, 1020, 1030, 1040, 1050, 1060, 1070, 1080, 1090, 1100, 1110, 1120, 1130, 1140, 1150,
                    1160, 1170, 1180}) {
        const QString topic = chm.topicForContext(static_cast<quint32>(id));
        ASSERT_FALSE(topic.isEmpty()) << id;
        EXPECT_FALSE(chm.object(topic).isEmpty()) << id;
        EXPECT_FALSE(topics.contains(topic)) << id;
        topics << topic;
    }
    EXPECT_TRUE(chm.topicForContext(4711).isEmpty());
    EXPECT_GE(chm.contents().size(), 18);
    EXPECT_GE(chm.index().size(), 20);

    // A damaged compression record (window size, windows per reset) is no help file, where
    // chmlib would end the process (division by zero, a decoder it could not start).
    const QByteArray good = dir.read(QStringLiteral("Lumo.chm"));
    const qsizetype lzxc = good.indexOf("LZXC");
    ASSERT_GT(lzxc, 0);
    for (const auto& [field, value] : {std::pair{12, 0}, std::pair{12, 128}, std::pair{16, 0}}) {
        QByteArray damaged = good;
        qToLittleEndian<quint32>(quint32(value), damaged.data() + lzxc + field);
        dir.write(QStringLiteral("Damaged.chm"), damaged);
        help::ChmFile broken;
        EXPECT_FALSE(broken.open(dir.file(QStringLiteral("Damaged.chm")))) << field << '=' << value;
        EXPECT_TRUE(broken.contents().isEmpty());
    }
    // Nor is a file damaged in its directory and reset table (as a fuzzer left it), on which
    // chmlib divides by zero while reading its objects.
    help::ChmFile fuzzed;
    EXPECT_FALSE(fuzzed.open(qEnvironmentVariable("LUMO_TEST_DATA") + QStringLiteral("/help/Damaged.chm")));
}

TEST_F(CKelHelpTest, ShowHelpOpensTheTopicKeepsTheNumberAndShowsTheIndex) {
    CKelHelp h;
    help::HelpWindow* w = openAt(h, 1020);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/nastaveni.html"));
    EXPECT_TRUE(shownText(w).contains(QStringLiteral("Nastavení programu")));

    // Context 0 keeps the stored number; the same window is reused.
    h.ShowHelp(1, 1000, {}, 1);
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/uvod.html"));
    h.ShowHelp(1, 0, {}, 1);
    EXPECT_EQ(h.HelpID(), 1000);
    EXPECT_EQ(help::OpenHelpWindow(h.HelpName()), w);

    h.ShowHelp(3, 0, {}, 1);
    EXPECT_EQ(w->currentPage(), 1);
    EXPECT_GT(w->findChild<QListWidget*>(QStringLiteral("HelpIndex"))->count(), 0);
    EXPECT_GT(w->findChild<QTreeWidget*>(QStringLiteral("HelpContents"))->topLevelItemCount(), 0);

    // Opened again over an owner low on the screen, the window lies wholly on the screen.
    w->close();
    QWidget owner;
    const QRect area = owner.screen()->availableGeometry();
    owner.setGeometry(area.right() - 200, area.bottom() - 150, 180, 120);
    owner.show();
    ASSERT_EQ(help::HtmlHelp(&owner, h.HelpName(), help::hhHelpContext, 1020), w);
    EXPECT_TRUE(area.contains(w->frameGeometry())) << w->frameGeometry().x() << ',' << w->frameGeometry().y();

    // A link inside a topic opens its page from the same file.
    w->findChild<QTextBrowser*>(QStringLiteral("HelpTopic"))
        ->setSource(help::HelpWindow::TopicUrl("/celedi.html"));
    EXPECT_TRUE(shownText(w).contains(QStringLiteral("Botanické čeledi")));
}

// The window as a user works it: contents that follow the topic, the index from the
// keyboard, back and forward, a keyword lookup, and a fresh start after closing.
TEST_F(CKelHelpTest, TheWindowFollowsTheTopicAndItsIndexWorksFromTheKeyboard) {
    CKelHelp h;
    help::HelpWindow* w = openAt(h, 1030);
    ASSERT_NE(w, nullptr);
    auto* contents = w->findChild<QTreeWidget*>(QStringLiteral("HelpContents"));
    ASSERT_NE(contents->currentItem(), nullptr);
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Záznam byliny"));

    // Choosing the index puts the typing into the keyword box; the arrows move in the list.
    auto* keyword = w->findChild<QLineEdit*>(QStringLiteral("HelpKeyword"));
    auto* index = w->findChild<QListWidget*>(QStringLiteral("HelpIndex"));
    w->findChild<QTabWidget*>()->setCurrentIndex(1);
    EXPECT_EQ(w->focusWidget(), keyword);
    keyword->setText(QStringLiteral("kz")); // no such entry: the next in Czech order
    EXPECT_EQ(index->currentItem()->text(), QStringLiteral("Měsíce sběru"));
    keyword->setText(QStringLiteral("kal"));
    EXPECT_EQ(index->currentItem()->text(), QStringLiteral("Kalendář sběru"));
    const auto press = [&](int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(keyword, &event);
    };
    press(Qt::Key_Down);
    EXPECT_EQ(index->currentItem()->text(), QStringLiteral("Klávesy"));
    press(Qt::Key_Return);
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/klavesy.html"));
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Klávesy"));
    auto* back = w->findChild<QToolButton*>(QStringLiteral("HelpBack"));
    auto* forward = w->findChild<QToolButton*>(QStringLiteral("HelpForward"));
    ASSERT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    back->click();
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/zaznam.html"));
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Záznam byliny"));
    forward->click();
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/klavesy.html"));

    // Closed and opened again it starts on the contents, with an empty keyword box and no history.
    w->close();
    h.ShowHelp(1, 1000, {}, 1);
    EXPECT_EQ(help::OpenHelpWindow(h.HelpName()), w);
    EXPECT_EQ(w->currentPage(), 0);
    EXPECT_TRUE(keyword->text().isEmpty());
    EXPECT_FALSE(back->isEnabled());

    // A keyword of the index shows its topic; any other only the index near it.
    h.ShowHelp(257, 0, QStringLiteral("tisk"), 0);
    EXPECT_EQ(w->currentPage(), 1);
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/zaznam.html"));
    h.ShowHelp(257, 0, QStringLiteral("Okr"), 0);
    EXPECT_EQ(index->currentItem()->text(), QStringLiteral("Okraje stránky"));
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/zaznam.html"));
}

TEST_F(CKelHelpTest, AFreshObjectShowsTheDefaultTopicAndAMissingFileShowsNothing) {
    CKelHelp fresh;
    help::HelpWindow* w = openAt(fresh, 0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/uvod.html"));

    CKelHelp missing;
    missing.HelpName(dir.file(QStringLiteral("Nic.chm")));
    missing.ShowHelp(1, 1020, {}, 1);
    missing.ShowHelp(3, 0, {}, 1);
    EXPECT_EQ(help::OpenHelpWindow(missing.HelpName()), nullptr);

    // A file that is no compiled help is treated as missing.
    dir.write(QStringLiteral("Broken.chm"), QByteArray("ITSF but not really"));
    EXPECT_EQ(help::HtmlHelp(nullptr, dir.file(QStringLiteral("Broken.chm")), help::hhHelpContext, 1020),
              nullptr);
}

// The error dialog names its help file without a folder and with a window type.
TEST_F(CKelHelpTest, TheErrorHelpOpensFromTheProgramFolderInAnyCase) {
    help::HelpWindow* w = help::HtmlHelp(nullptr, QStringLiteral("kelerr.hlp>Main"), help::hhHelpContext, 0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->currentTopic(), QStringLiteral("/chyby.html"));
    EXPECT_TRUE(shownText(w).contains(QStringLiteral("Chybové hlášení")));
}

} // namespace
} // namespace lumo
