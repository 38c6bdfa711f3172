#pragma once

#include <QColor>
#include <QString>

// The reader's formatting state, one copy per open group.
namespace lumo::rtf {

struct CharState {
    int font = -1;       // font number; -1 is the document's default font (\deff)
    int halfPoints = 24; // \fs
    int color = 0;       // colour-table index; 0 is automatic
    int highlight = 0;   // colour-table index; 0 is none
    int vertical = 0;    // 0 normal, 1 superscript, -1 subscript
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    bool operator==(const CharState&) const = default;
};

enum class Align { Left, Center, Right, Justify };

// Indents and spacing in twips, as RTF gives them.
struct ParState {
    Align align = Align::Left;
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;

    bool operator==(const ParState&) const = default;
};

struct FontEntry {
    QString name;     // the face name as written, e.g. "Arial CE"
    QString altName;  // \*\fname or \*\falt
    QString family;   // "swiss", "roman", ... without the \f
    int charset = -1; // \fcharset; -1 when not given
    int codePage = 0; // \cpg; 0 when not given
};

enum class Destination { Text, Skip, FontTable, FontAltName, ColorTable };

struct GroupState {
    CharState chr;
    ParState par;
    Destination dest = Destination::Text;
    int uc = 1;           // fallback characters after \uN
    bool starred = false; // the group began with \*
};

} // namespace lumo::rtf
