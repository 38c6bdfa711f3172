#include "data/builder/PlatePainter.h"

#include "data/builder/Lcg.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace lumo::data {

namespace {

constexpr double kPi = 3.14159265358979323846;

quint32 fnv1a(const QString& text) {
    quint32 h = 2166136261u;
    for (const QChar c : text) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

QString plateFontFamily() {
    static const QString family = [] {
        const char* files[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                               "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"};
        for (const char* f : files) {
            const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(f));
            if (id >= 0) {
                const QStringList fams = QFontDatabase::applicationFontFamilies(id);
                if (!fams.isEmpty())
                    return fams.first();
            }
        }
        return QStringLiteral("Sans");
    }();
    return family;
}

QFont plateFont(int pixels, bool bold, bool italic) {
    QFont f(plateFontFamily());
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QColor colour(const QString& name, const QString& fallback) {
    const QColor c = QColor::fromString(name);
    return c.isValid() ? c : QColor::fromString(fallback);
}

} // namespace

PlatePainter::PlatePainter(const QString& herbName, const QString& latinName, const DrawStyle& style)
    : m_name(herbName), m_latin(latinName), m_form(style.flower),
      m_petal(colour(style.petal, QStringLiteral("#f0f0f0"))),
      m_centre(colour(style.centre, QStringLiteral("#e8c020"))),
      m_leaf(colour(style.leaf, QStringLiteral("#4a7a35"))), m_seed(fnv1a(herbName)) {}

QByteArray PlatePainter::paint(const Plate& plate) const {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(0xfb, 0xf6, 0xe6));
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        frame(p, plate.name);
        p.save();
        if (plate.kind == u"kvet")
            flower(p, QPointF(kWidth / 2.0, kHeight / 2.0 + 10), 95);
        else if (plate.kind == u"list")
            leaf(p, QPointF(kWidth / 2.0 - 150, kHeight / 2.0 + 60), 300, -12);
        else if (plate.kind == u"plod")
            fruits(p);
        else if (plate.kind == u"koren")
            root(p);
        else if (plate.kind == u"droga")
            drug(p);
        else if (plate.kind == u"strom")
            tree(p);
        else
            wholePlant(p);
        p.restore();
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

void PlatePainter::frame(QPainter& p, const QString& caption) const {
    p.setPen(QPen(QColor(0x6b, 0x55, 0x3a), 3));
    p.drawRect(QRectF(8, 8, kWidth - 16, kHeight - 16));
    p.setPen(QPen(QColor(0x6b, 0x55, 0x3a), 1));
    p.drawRect(QRectF(14, 14, kWidth - 28, kHeight - 28));
    p.setPen(QColor(0x2e, 0x3b, 0x1f));
    p.setFont(plateFont(20, true, false));
    p.drawText(QRectF(20, 18, kWidth - 40, 26), Qt::AlignHCenter | Qt::AlignVCenter, m_name);
    p.setFont(plateFont(14, false, true));
    p.drawText(QRectF(20, 44, kWidth - 40, 20), Qt::AlignHCenter | Qt::AlignVCenter, m_latin);
    p.setFont(plateFont(14, false, false));
    p.drawText(QRectF(20, kHeight - 42, kWidth - 40, 22), Qt::AlignHCenter | Qt::AlignVCenter, caption);
}

void PlatePainter::leaf(QPainter& p, QPointF base, double length, double angle) const {
    p.save();
    p.translate(base);
    p.rotate(angle);
    const double w = length * (m_form == u"klas" ? 0.22 : 0.32);
    QPainterPath path(QPointF(0, 0));
    path.cubicTo(QPointF(length * 0.25, -w), QPointF(length * 0.7, -w * 0.8), QPointF(length, 0));
    path.cubicTo(QPointF(length * 0.7, w * 0.8), QPointF(length * 0.25, w), QPointF(0, 0));
    p.setPen(QPen(m_leaf.darker(140), 1.5));
    p.setBrush(m_leaf);
    p.drawPath(path);
    p.setPen(QPen(m_leaf.lighter(150), 1.2));
    p.drawLine(QPointF(0, 0), QPointF(length * 0.95, 0));
    for (int i = 1; i < 6; ++i) {
        const double x = length * i / 6.5;
        p.drawLine(QPointF(x, 0), QPointF(x + length * 0.1, -w * 0.5));
        p.drawLine(QPointF(x, 0), QPointF(x + length * 0.1, w * 0.5));
    }
    p.restore();
}

void PlatePainter::flower(QPainter& p, QPointF c, double r) const {
    p.save();
    if (m_form == u"okolik") {
        p.setPen(QPen(m_leaf.darker(120), std::max(1.0, r / 40)));
        for (int i = 0; i < 9; ++i) {
            const double a = kPi * (1.1 + 0.8 * i / 8.0);
            const QPointF end(c.x() + r * std::cos(a), c.y() + r * 0.6 * std::sin(a));
            p.drawLine(c, end);
            p.setBrush(m_petal);
            for (int k = 0; k < 5; ++k)
                p.drawEllipse(end + QPointF(std::cos(k * 1.26) * r / 10, std::sin(k * 1.26) * r / 10), r / 12,
                              r / 12);
        }
    } else if (m_form == u"klas") {
        p.setPen(QPen(m_petal.darker(130), 1));
        p.setBrush(m_petal);
        for (int i = 0; i < 8; ++i) {
            const double y = c.y() + r * 0.8 - i * r * 0.22;
            const double half = r * 0.28 * (1.0 - i / 12.0);
            p.drawEllipse(QPointF(c.x() - half, y), r / 7, r / 9);
            p.drawEllipse(QPointF(c.x() + half, y), r / 7, r / 9);
        }
        p.setBrush(m_centre);
        p.drawEllipse(QPointF(c.x(), c.y() - r * 0.95), r / 9, r / 7);
    } else if (m_form == u"bobule") {
        p.setPen(QPen(m_centre.darker(150), 1));
        p.setBrush(m_petal);
        p.drawEllipse(c, r * 0.45, r * 0.45);
        p.setBrush(m_centre);
        p.drawEllipse(c + QPointF(r * 0.1, -r * 0.1), r * 0.12, r * 0.12);
    } else {
        // A head of ray florets (ubor) or a five-petalled flower (kvet).
        const bool head = m_form == u"ubor";
        const int petals = head ? 18 : 5;
        p.setPen(QPen(m_petal.darker(125), 1));
        p.setBrush(m_petal);
        for (int i = 0; i < petals; ++i) {
            p.save();
            p.translate(c);
            p.rotate(360.0 * i / petals);
            p.drawEllipse(QPointF(r * 0.55, 0), r * 0.45, head ? r * 0.1 : r * 0.3);
            p.restore();
        }
        p.setBrush(m_centre);
        p.setPen(QPen(m_centre.darker(130), 1));
        p.drawEllipse(c, r * (head ? 0.32 : 0.18), r * (head ? 0.32 : 0.18));
    }
    p.restore();
}

void PlatePainter::wholePlant(QPainter& p) const {
    Lcg rnd(m_seed);
    const double ground = kHeight - 60;
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x45), 2));
    p.drawLine(QPointF(60, ground), QPointF(kWidth - 60, ground));
    const int stems = 3;
    for (int s = 0; s < stems; ++s) {
        const QPointF base(kWidth / 2.0 + (s - 1) * 30, ground);
        const QPointF top(base.x() + (s - 1) * 60 + rnd.range(-15, 15), 110 + rnd.range(0, 50));
        QPainterPath stem(base);
        stem.quadTo(QPointF((base.x() + top.x()) / 2 + rnd.range(-20, 20), (base.y() + top.y()) / 2), top);
        p.setPen(QPen(m_leaf.darker(130), 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stem);
        for (int k = 1; k <= 3; ++k) {
            const QPointF at = stem.pointAtPercent(0.25 * k);
            leaf(p, at, 55 - k * 8, (k % 2 ? -35.0 : -145.0) + rnd.range(-10, 10));
        }
        flower(p, top, m_form == u"klas" ? 40 : 26);
    }
}

void PlatePainter::fruits(QPainter& p) const {
    Lcg rnd(m_seed ^ 0x5a5a5a5au);
    p.setPen(QPen(m_leaf.darker(150), 2));
    const QPointF stalk(kWidth / 2.0, 90);
    for (int i = 0; i < 9; ++i) {
        const QPointF at(kWidth / 2.0 + rnd.range(-110, 110), rnd.range(150, 250));
        p.setPen(QPen(m_leaf.darker(150), 2));
        p.drawLine(stalk, at);
        p.setPen(QPen(m_centre.darker(160), 1));
        p.setBrush(m_centre);
        p.drawEllipse(at, 18, 18);
        p.setBrush(m_centre.lighter(160));
        p.setPen(Qt::NoPen);
        p.drawEllipse(at + QPointF(-6, -6), 4, 4);
    }
    leaf(p, stalk, 90, 200);
}

void PlatePainter::root(QPainter& p) const {
    Lcg rnd(m_seed ^ 0x1234567u);
    const QColor brown(0x8b, 0x5e, 0x34);
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x45), 2));
    p.drawLine(QPointF(60, 110), QPointF(kWidth - 60, 110));
    leaf(p, QPointF(kWidth / 2.0, 110), 60, -60);
    leaf(p, QPointF(kWidth / 2.0, 110), 60, -120);
    for (int i = 0; i < 14; ++i) {
        const QPointF from(kWidth / 2.0 + rnd.range(-12, 12), 115);
        const QPointF to(kWidth / 2.0 + rnd.range(-150, 150), rnd.range(200, kHeight - 60));
        QPainterPath path(from);
        path.quadTo(QPointF(from.x() + rnd.range(-40, 40), (from.y() + to.y()) / 2), to);
        p.setPen(QPen(brown, rnd.range(1.5, 6)));
        p.drawPath(path);
    }
}

void PlatePainter::drug(QPainter& p) const {
    Lcg rnd(m_seed ^ 0x0badf00du);
    p.setPen(QPen(QColor(0x9a, 0x8a, 0x70), 2));
    p.setBrush(QColor(0xe8, 0xdc, 0xc0));
    p.drawEllipse(QPointF(kWidth / 2.0, 200), 170, 60);
    for (int i = 0; i < 120; ++i) {
        const double a = rnd.range(0, 2 * kPi), d = std::sqrt(rnd.next());
        const QPointF at(kWidth / 2.0 + std::cos(a) * d * 150, 195 + std::sin(a) * d * 45);
        const QColor c = (i % 3 == 0 ? m_centre : i % 3 == 1 ? m_petal : m_leaf).darker(115 + (i % 4) * 10);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.save();
        p.translate(at);
        p.rotate(rnd.range(0, 180));
        p.drawEllipse(QPointF(0, 0), rnd.range(3, 9), rnd.range(2, 4));
        p.restore();
    }
}

void PlatePainter::tree(QPainter& p) const {
    Lcg rnd(m_seed ^ 0x7777u);
    const double ground = kHeight - 60;
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x45), 2));
    p.drawLine(QPointF(60, ground), QPointF(kWidth - 60, ground));
    p.setPen(Qt::NoPen);
    p.setBrush(m_centre.darker(200));
    p.drawRect(QRectF(kWidth / 2.0 - 12, 170, 24, ground - 170));
    for (int i = 0; i < 16; ++i) {
        p.setBrush(i % 2 ? m_leaf : m_leaf.lighter(115));
        p.drawEllipse(QPointF(kWidth / 2.0 + rnd.range(-110, 110), rnd.range(90, 190)), rnd.range(30, 50),
                      rnd.range(25, 40));
    }
    p.setBrush(m_petal);
    for (int i = 0; i < 14; ++i)
        p.drawEllipse(QPointF(kWidth / 2.0 + rnd.range(-120, 120), rnd.range(85, 200)), 5, 5);
}

} // namespace lumo::data
