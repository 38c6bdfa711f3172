#pragma once

#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <QString>

#include "data/builder/HerbContent.h"

class QPainter;

namespace lumo::data {

// Draws a labelled botanical plate (title, Latin name, a schematic drawing and
// the plate's caption) and returns it as JPEG bytes. Needs a QGuiApplication.
// The same arguments always give the same bytes.
class PlatePainter {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 360;

    PlatePainter(const QString& herbName, const QString& latinName, const DrawStyle& style);
    QByteArray paint(const Plate& plate) const;

private:
    void frame(QPainter& p, const QString& caption) const;
    void wholePlant(QPainter& p) const;
    void flower(QPainter& p, QPointF centre, double radius) const;
    void leaf(QPainter& p, QPointF base, double length, double angle) const;
    void fruits(QPainter& p) const;
    void root(QPainter& p) const;
    void drug(QPainter& p) const;
    void tree(QPainter& p) const;

    QString m_name;
    QString m_latin;
    QString m_form;
    QColor m_petal, m_centre, m_leaf;
    quint32 m_seed;
};

} // namespace lumo::data
