#pragma once

#include "library/CopyProgress.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace lumo {

// The small progress window of the service object: a caption, a line of text and a bar.
class frmInfo : public QWidget, public CopyProgress {
    Q_OBJECT
public:
    frmInfo();

    QLabel* lblInfo = nullptr;
    QProgressBar* pgbInfo = nullptr;

    // CopyProgress: what a copy with progress shows.
    void ShowProgress(const QString& Caption, const QString& Text) override;
    void SetProgress(int Percent) override;
    void HideProgress() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
};

} // namespace lumo
