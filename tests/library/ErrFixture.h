#pragma once

#include "common/TempProgramDir.h"
#include "library/ErrMain.h"
#include "platform/ui/DialogPresenter.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace lumo::test {

// What a test hook saw of one error dialog.
struct SeenDialog {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons; // object names of the visible buttons, left to right
};

inline QStringList visibleErrButtons(QWidget& dialog) {
    QStringList names;
    for (int i : {0, 4, 5, 6, 1, 2, 3}) {
        auto* b = dialog.findChild<QPushButton*>(QStringLiteral("cmdErr%1").arg(i));
        if (b && b->isVisibleTo(&dialog))
            names << b->objectName();
    }
    return names;
}

inline SeenDialog describe(QDialog& d) {
    SeenDialog s;
    s.title = d.windowTitle();
    if (auto* label = d.findChild<QLabel*>(QStringLiteral("lblERR"))) {
        s.text = label->text();
        s.format = label->textFormat();
    }
    s.buttons = visibleErrButtons(d);
    return s;
}

// A fresh report state per test, a fixed clock, recorded sound and help, a
// temporary program folder and a hook that answers every dialog with `answer`.
class ErrFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ErrState() = ErrMain{};
        ErrSeams& s = ErrState().Seams;
        s.Now = [] { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 3)); };
        s.Beep = [this](int hz, int ms) { beeps.emplace_back(hz, ms); };
        s.PlayWave = [this](const QString& f) { waves << f; };
        s.WaveReady = [this] { return waveDevice; };
        s.HtmlHelp = [this](QWidget* owner, const QString& path, int command, long context) {
            helpCalls.push_back({owner, path, command, context});
        };
        hook = std::make_unique<ui::ScopedDialogHook>([this](QDialog& d) -> std::optional<int> {
            seen.push_back(describe(d));
            if (onDialog)
                return onDialog(d);
            // A failed click must not leave the dialog blocking the run.
            if (ui::DialogPresenter::clickButton(d, answer))
                return std::nullopt;
            ADD_FAILURE() << "no visible button " << answer.toStdString();
            return 0;
        });
    }
    void TearDown() override {
        hook.reset();
        ErrState() = ErrMain{};
    }

    struct HelpCall {
        QWidget* owner;
        QString path;
        int command;
        long context;
    };

    TempProgramDir dir;
    std::unique_ptr<ui::ScopedDialogHook> hook;
    std::vector<SeenDialog> seen;
    QString answer = QStringLiteral("cmdErr0");
    ui::DialogPresenter::Hook onDialog; // when set, answers instead of `answer`
    bool waveDevice = false;
    std::vector<std::pair<int, int>> beeps;
    QStringList waves;
    std::vector<HelpCall> helpCalls;
};

} // namespace lumo::test
