#include "platform/db/SqlFunctions.h"

#include "platform/db/CzechCollation.h"

#include <QString>

#include <sqlcipher/sqlite3.h>
#include <unicode/ustring.h>

namespace lumo::db {

namespace {

qsizetype unitLength(QStringView s, qsizetype i) {
    return s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate() ? 2 : 1;
}

// Both sides already case-folded.
bool matchFolded(QStringView pattern, QStringView text, QChar escape) {
    qsizetype p = 0;
    qsizetype t = 0;
    qsizetype starP = -1;
    qsizetype starT = -1;
    const qsizetype np = pattern.size();
    while (t < text.size()) {
        if (p < np && !escape.isNull() && pattern[p] == escape && p + 1 < np) {
            if (pattern[p + 1] == text[t]) {
                p += 2;
                ++t;
                continue;
            }
        } else if (p < np && pattern[p] == u'%') {
            starP = ++p;
            starT = t;
            continue;
        } else if (p < np && pattern[p] == u'_') {
            ++p;
            t += unitLength(text, t);
            continue;
        } else if (p < np && pattern[p] == text[t]) {
            ++p;
            ++t;
            continue;
        }
        if (starP < 0)
            return false;
        starT += unitLength(text, starT);
        p = starP;
        t = starT;
    }
    while (p < np && pattern[p] == u'%')
        ++p;
    return p == np;
}

QString valueText(sqlite3_value* v) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void deleteString(void* p) {
    delete static_cast<QString*>(p);
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    QChar escape;
    if (argc == 3) {
        const QString e = valueText(argv[2]);
        if (e.size() != 1)
            return sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
        escape = e.toCaseFolded().at(0);
    }
    // The pattern is the same for every row of a statement: fold it once.
    auto* pattern = static_cast<QString*>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        pattern = new QString(valueText(argv[0]).toCaseFolded());
        sqlite3_set_auxdata(ctx, 0, pattern, deleteString);
        pattern = static_cast<QString*>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern)
            return sqlite3_result_error_nomem(ctx);
    }
    sqlite3_result_int(ctx, matchFolded(*pattern, valueText(argv[1]).toCaseFolded(), escape) ? 1 : 0);
}

void lenFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    // Called for every row of the name lists: well-formed text is measured without converting
    // it; malformed text counts as the string it reads into.
    UErrorCode status = U_ZERO_ERROR;
    int32_t units = 0;
    u_strFromUTF8(nullptr, 0, &units, reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                  sqlite3_value_bytes(argv[0]), &status);
    if (status == U_INVALID_CHAR_FOUND || status == U_ILLEGAL_ARGUMENT_ERROR)
        units = static_cast<int32_t>(valueText(argv[0]).size());
    sqlite3_result_int64(ctx, units);
}

int compareCzech(void* collation, int aLength, const void* a, int bLength, const void* b) {
    return static_cast<const CzechCollation*>(collation)->compare(static_cast<const char*>(a), aLength,
                                                                  static_cast<const char*>(b), bLength);
}

} // namespace

bool LikeMatch(QStringView pattern, QStringView text, QChar escape) {
    const QChar folded = escape.isNull() ? escape : QString(escape).toCaseFolded().at(0);
    return matchFolded(pattern.toString().toCaseFolded(), text.toString().toCaseFolded(), folded);
}

int RegisterSqlFunctions(sqlite3* db, const CzechCollation* collation) {
    static const CzechCollation processCollation;
    if (!collation)
        collation = &processCollation;
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_collation_v2(db, "CS", SQLITE_UTF8, const_cast<CzechCollation*>(collation),
                                         compareCzech, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "Len", 1, flags, nullptr, lenFunction, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr,
                                        nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr,
                                        nullptr);
    return rc;
}

} // namespace lumo::db
