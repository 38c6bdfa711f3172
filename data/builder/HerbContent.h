#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace lumo::data {

// A content file that cannot be used; what() names the file and line.
class ContentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One row of a '|'-delimited table file.
struct TableRow {
    QString file;
    int line = 0;
    QStringList fields;
    int number(int column) const; // throws ContentError when not a whole number
};

struct Harvest {
    QString part;      // Casti.Nazev
    QList<int> months; // 1..12
};

struct Plate {
    QString kind; // rostlina, kvet, list, plod, koren, droga, strom
    QString name; // Obrazky.Nazev
};

// How the plates of a herb are drawn: flower form and three colours.
struct DrawStyle {
    QString flower = QStringLiteral("kvet");
    QString petal = QStringLiteral("#f0f0f0");
    QString centre = QStringLiteral("#e8c020");
    QString leaf = QStringLiteral("#4a7a35");
};

struct Section {
    int typ = 0; // 1..22
    int line = 0;
    QStringList paragraphs; // marked-up plain text
};

struct HerbSource {
    QString file;
    int idx = 0;
    QString nazev;
    QString kratkyNaz;
    QString celed;    // Latin family name, resolved against Celedi
    QString names[9]; // names languages 2..8 at their index; 0, 1 unused
    QStringList folk; // names language 9, one row each
    QStringList latky, skupiny, indikace, kombinace, pripravky;
    QList<Harvest> sber;
    QList<Plate> obrazky;
    DrawStyle kresba;
    QStringList intro; // paragraphs opening the article
    QList<Section> sections;
};

// The 22 built-in section titles, 1-based (entry 0 is the names block).
const QStringList& sectionTitles();
// Section number of a title, 0 when there is none.
int sectionNumber(const QString& title);

// Reads a '|'-delimited table: '#' starts a comment line, blank lines are
// skipped, every row must have exactly columns fields (trimmed).
QList<TableRow> readTable(const QString& path, int columns);
// Reads one herb source file (format in data/README.md).
HerbSource readHerb(const QString& path);
// Parses "5-8" / "5,6,7" / "4-5,9" into month numbers; throws on anything else.
QList<int> parseMonths(const QString& text);

} // namespace lumo::data
