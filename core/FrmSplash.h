#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QProgressBar;

namespace lumo {

// The splash window shown modeless while start-up works through its steps.
// Each caption label is a pair: index 1 lies under index 0 as its shadow and
// always carries the same caption.
class FrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit FrmSplash(QWidget* parent = nullptr);

    using LabelPair = std::array<QLabel*, 2>;

    LabelPair lblInfo{};
    LabelPair lblVersion{};
    LabelPair lblPlatform{};
    LabelPair lblCompanyProduct{};
    LabelPair lblCopyright{};
    LabelPair lblCompany{};
    QLabel* ImgSplash = nullptr; // the picture behind every other control
    QLabel* lblProductName = nullptr;
    QLabel* LblEd = nullptr;
    QProgressBar* PgB = nullptr;

    // Sets index 0 and index 1 of a pair to caption.
    static void SetPair(const LabelPair& pair, const QString& caption);
    // The progress bar's value (0..100).
    double Progress() const;

private:
    void Form_Load();
    LabelPair makePair(int xTw, int yTw, int wTw, int hTw, double pointSize, bool bold);
};

} // namespace lumo
