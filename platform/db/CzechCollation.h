#pragma once

#include <QString>

struct UCollator;

namespace lumo::db {

// Czech sort order as Jet sorts text: "ch" after "h", "č" after "c", letters
// of either case together (a lower-case letter first where two names differ
// only in case). Backed by ICU's "cs" collator.
class CzechCollation {
public:
    CzechCollation();
    ~CzechCollation();
    CzechCollation(const CzechCollation&) = delete;
    CzechCollation& operator=(const CzechCollation&) = delete;

    // <0, 0 or >0; the UTF-8 form serves the engine's collation callback.
    int compare(const char* a, int aLength, const char* b, int bLength) const;
    int compare(const QString& a, const QString& b) const;

private:
    UCollator* m_collator = nullptr;
};

} // namespace lumo::db
