#include "library/MSrvMain.h"

#include "library/CKelSrv.h"
#include "platform/ui/Units.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace lumo {

namespace {

// One painted gradient, below every other child of the form.
class GradientLayer : public QWidget {
public:
    GradientLayer(QWidget* form, const QRect& area, const QColor& from, const QColor& to, int mode)
        : QWidget(form), m_from(from), m_to(to), m_mode(mode) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(area);
        lower();
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRectF r = rect();
        if (m_mode == 6) {
            const double radius = std::hypot(r.width(), r.height()) / 2;
            QRadialGradient g(r.center(), radius);
            g.setColorAt(0, m_from);
            g.setColorAt(1, m_to);
            p.fillRect(r, g);
            return;
        }
        QPointF start = r.topLeft(), end = r.bottomLeft();
        switch (m_mode) {
        case 2:
            start = r.topLeft(), end = r.bottomRight();
            break;
        case 3:
            start = r.topRight(), end = r.bottomLeft();
            break;
        case 4:
            start = r.bottomLeft(), end = r.topRight();
            break;
        case 5:
            start = r.bottomRight(), end = r.topLeft();
            break;
        default:
            break;
        }
        QLinearGradient g(start, end);
        g.setColorAt(0, m_from);
        g.setColorAt(1, m_to);
        p.fillRect(r, g);
    }

private:
    QColor m_from, m_to;
    int m_mode;
};

} // namespace

ScreenRecord ScreenMetrics(const QWidget* form) {
    if (!form)
        return {};
    const QScreen* screen = form->screen();
    if (!screen)
        return {};
    return {screen->size().width(), screen->size().height(), screen->depth()};
}

void InstallGradientPainter() {
    CKelSrv::SetGradientPainter(
        [](QWidget& form, long X1, long Y1, long X2, long Y2, long Color1, long Color2, int Mode) {
            const QRect area = QRect(QPoint(ui::TwipsToPixels(X1), ui::TwipsToPixels(Y1)),
                                     QPoint(ui::TwipsToPixels(X2), ui::TwipsToPixels(Y2)))
                                   .normalized();
            if (area.isEmpty())
                return;
            new GradientLayer(&form, area, ui::OleToColor(Color1 & 0xFFFFFF),
                              ui::OleToColor(Color2 & 0xFFFFFF), Mode);
        });
}

} // namespace lumo
