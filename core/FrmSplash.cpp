#include "core/FrmSplash.h"

#include "platform/ui/Units.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>

namespace lumo {

using ui::TwipsToPixels;

namespace {
constexpr int kWidthTw = 7200;
constexpr int kHeightTw = 4320;
constexpr int kShadowTw = 20;

QPixmap splashPicture(QSize size) {
    QPixmap picture(size);
    QPainter p(&picture);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0.0, QColor(0x2e, 0x6b, 0x2e));
    g.setColorAt(1.0, QColor(0x0f, 0x33, 0x14));
    p.fillRect(picture.rect(), g);
    p.setPen(QColor(0xc8, 0xd8, 0x9a));
    p.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}
} // namespace

FrmSplash::FrmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(TwipsToPixels(kWidthTw), TwipsToPixels(kHeightTw));

    // Made first, so every label lies over it.
    ImgSplash = new QLabel(this);
    ImgSplash->setObjectName(QStringLiteral("ImgSplash"));
    ImgSplash->setGeometry(rect());
    ImgSplash->setPixmap(splashPicture(size()));

    lblProductName = new QLabel(QStringLiteral("LUMO"), this);
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPointSizeF(36);
    big.setBold(true);
    lblProductName->setFont(big);
    lblProductName->setStyleSheet(QStringLiteral("color: #f4f1d0"));
    lblProductName->setGeometry(TwipsToPixels(480), TwipsToPixels(300), TwipsToPixels(4000),
                                TwipsToPixels(900));

    lblCompanyProduct = makePair(480, 1200, 6300, 400, 12, true);
    lblVersion = makePair(480, 1650, 3000, 300, 9, false);
    lblPlatform = makePair(480, 1950, 6300, 300, 9, false);
    lblCopyright = makePair(480, 2900, 6300, 300, 8, false);
    lblCompany = makePair(480, 3200, 6300, 300, 8, false);
    lblInfo = makePair(480, 3560, 6300, 300, 9, false);

    LblEd = new QLabel(this);
    LblEd->setObjectName(QStringLiteral("LblEd"));
    LblEd->setStyleSheet(QStringLiteral("color: #f4f1d0"));
    LblEd->setGeometry(TwipsToPixels(480), TwipsToPixels(2350), TwipsToPixels(6300), TwipsToPixels(300));

    PgB = new QProgressBar(this);
    PgB->setObjectName(QStringLiteral("PgB"));
    PgB->setRange(0, 100);
    PgB->setValue(0);
    PgB->setTextVisible(false);
    PgB->setGeometry(TwipsToPixels(480), TwipsToPixels(3900), TwipsToPixels(6240), TwipsToPixels(180));

    Form_Load();
}

FrmSplash::LabelPair FrmSplash::makePair(int xTw, int yTw, int wTw, int hTw, double pointSize, bool bold) {
    LabelPair pair{};
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Index 1 first, so index 0 is painted over its shadow.
    for (int i : {1, 0}) {
        auto* label = new QLabel(this);
        label->setFont(font);
        label->setTextFormat(Qt::PlainText);
        label->setStyleSheet(i == 0 ? QStringLiteral("color: #ffffff") : QStringLiteral("color: #1b3a1b"));
        const int shift = i == 0 ? 0 : kShadowTw;
        label->setGeometry(TwipsToPixels(xTw + shift), TwipsToPixels(yTw + shift), TwipsToPixels(wTw),
                           TwipsToPixels(hTw));
        pair[std::size_t(i)] = label;
    }
    return pair;
}

void FrmSplash::SetPair(const LabelPair& pair, const QString& caption) {
    pair[0]->setText(caption);
    pair[1]->setText(pair[0]->text());
}

double FrmSplash::Progress() const {
    return PgB->value();
}

void FrmSplash::Form_Load() {
    SetPair(lblVersion, QStringLiteral("Verze %1.%2.%3")
                            .arg(LUMO_VERSION_MAJOR)
                            .arg(LUMO_VERSION_MINOR)
                            .arg(LUMO_VERSION_PATCH));
    SetPair(lblCompanyProduct, QStringLiteral("Zefirak LUMO – encyklopedie léčivých rostlin"));
    SetPair(lblPlatform, QStringLiteral("MS Windows™ 95/98/ME/2000/NT/XP/Vista/7"));
    SetPair(lblCopyright, QStringLiteral("Copyright © autoři programu Zefirak"));
    SetPair(lblCompany, QStringLiteral("Všechna práva vyhrazena"));
}

} // namespace lumo
