#include "platform/ui/DialogPresenter.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using lumo::ui::DialogPresenter;
using lumo::ui::ScopedDialogHook;

namespace {

// A dialog with two buttons that finish it with 11 and 22.
class TwoButtons : public QDialog {
public:
    explicit TwoButtons(const QString& title = QStringLiteral("Dvě tlačítka")) {
        setWindowTitle(title);
        first = new QPushButton(QStringLiteral("&První"), this);
        second = new QPushButton(QStringLiteral("&Druhé"), this);
        second->setObjectName(QStringLiteral("b2"));
        connect(first, &QPushButton::clicked, this, [this] { done(11); });
        connect(second, &QPushButton::clicked, this, [this] { done(22); });
    }
    QPushButton* first;
    QPushButton* second;
};

} // namespace

TEST(DialogPresenter, HookAnswersByValueOrByClickingAVisibleButton) {
    struct Case {
        QString click; // empty: answer 5 by value
        int result;
    };
    for (const Case& c : {Case{QString(), 5}, Case{QStringLiteral("&Druhé"), 22},
                          Case{QStringLiteral("První"), 11}, Case{QStringLiteral("b2"), 22}}) {
        int calls = 0;
        ScopedDialogHook hook([&](QDialog& d) -> std::optional<int> {
            ++calls;
            EXPECT_TRUE(d.isVisible() && d.isModal());
            if (c.click.isEmpty())
                return 5;
            EXPECT_TRUE(DialogPresenter::clickButton(d, c.click));
            return std::nullopt;
        });
        TwoButtons dialog;
        EXPECT_EQ(DialogPresenter::exec(dialog), c.result) << c.click.toStdString();
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(dialog.isVisible());
    }
    // A user cannot press hidden or disabled buttons, so neither can a test.
    TwoButtons dialog;
    dialog.first->hide();
    dialog.second->setEnabled(false);
    EXPECT_FALSE(DialogPresenter::clickButton(dialog, QStringLiteral("První")));
    EXPECT_FALSE(DialogPresenter::clickButton(dialog, QStringLiteral("Druhé")));
}

TEST(DialogPresenter, DialogLeftOpenRunsItsLoopAndNestedDialogsReachTheHook) {
    TwoButtons outer(QStringLiteral("outer"));
    TwoButtons inner(QStringLiteral("inner"));
    QStringList order;
    int innerResult = -1;
    ScopedDialogHook hook([&](QDialog& d) -> std::optional<int> {
        order << d.windowTitle();
        if (&d == &inner)
            return 3;
        // A timer fires inside the outer dialog's loop and opens the inner one.
        QTimer::singleShot(0, &outer, [&] {
            innerResult = DialogPresenter::exec(inner);
            DialogPresenter::clickButton(outer, QStringLiteral("Druhé"));
        });
        return std::nullopt;
    });
    EXPECT_EQ(DialogPresenter::exec(outer), 22);
    EXPECT_EQ(innerResult, 3);
    EXPECT_EQ(order, (QStringList{QStringLiteral("outer"), QStringLiteral("inner")}));
}

TEST(DialogPresenter, MessageBoxShowsPlainTextAndReturnsTheButtonPressed) {
    const QString text = QStringLiteral("Soubor <b>Lumo.ini</b> & <i>nic</i>");
    ScopedDialogHook hook([&](QDialog& d) -> std::optional<int> {
        auto* box = qobject_cast<QMessageBox*>(&d);
        if (!box) {
            ADD_FAILURE() << "not a message box";
            return 0;
        }
        EXPECT_EQ(box->text(), text);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Chyba"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::No)->click();
        return std::nullopt;
    });
    EXPECT_EQ(DialogPresenter::msgBox(text, QStringLiteral("Chyba"), QMessageBox::Critical,
                                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No),
              QMessageBox::No);
}

TEST(DialogPresenter, WithoutHookOffscreenNothingBlocks) {
    if (QGuiApplication::platformName() != QStringLiteral("offscreen"))
        GTEST_SKIP() << "needs the offscreen platform";
    {
        ScopedDialogHook outer([](QDialog&) -> std::optional<int> { return 1; });
        TwoButtons d;
        EXPECT_EQ(DialogPresenter::exec(d), 1);
    }
    ASSERT_FALSE(DialogPresenter::hook()) << "the scoped hook must be removed";
    TwoButtons dialog;
    EXPECT_EQ(DialogPresenter::exec(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(DialogPresenter::msgBox(QStringLiteral("x"), QStringLiteral("y")), QMessageBox::NoButton);
}
