#pragma once

#include <QString>

#include <vector>

namespace lumo {

namespace db {
class Connection;
} // namespace db

// One list row: the herb's Idx and the name shown.
struct HerbListRow {
    long Idx = 0;
    QString Nazev;

    bool operator==(const HerbListRow&) const = default;
};

// One herb name in another language, for the search box's fallback.
struct ForeignName {
    long IdxByliny = 0;
    QString Nazev;
};

// The statements of the herb list filler and the readers of their rows, without widgets.
class HerbListFiller {
public:
    // Every herb by its Czech name.
    static QString AllHerbsSql();
    // The languages of herb names.
    static QString LanguagesSql();
    // Every herb once per non-blank name in names language 2..9; "" for any other language.
    static QString NamesLanguageSql(long language);
    // The names language used: outside 1..9 it is Czech (1).
    static long NamesLanguage(long namesLang);
    // The statement of the all-herbs list in a names language ("" for Czech).
    static QString AllHerbsSqlFor(long namesLang);
    // True for a statement that lists every herb (blank, or a names-language statement):
    // such a list ends every search, whatever the names language.
    static bool IsAllHerbsSql(const QString& sql);
    // Every alternative name of every herb in Czech order.
    static QString ForeignNamesSql();

    // Runs a list statement and appends its rows to rows as the engine steps to them: with
    // joined the id from "b.Idx" and the name from "n.Nazev" trimmed, otherwise "Idx" and
    // "Nazev" as stored. Blank names are not listed. Returns the number of result rows,
    // blank ones included. A failing row raises; the rows read before it stay in rows.
    static long ReadRows(db::Connection& connection, const QString& sql, bool joined,
                         std::vector<HerbListRow>& rows);

    // Reads every non-blank alternative name in Czech order. Raises on failure.
    static std::vector<ForeignName> ReadForeignNames(db::Connection& connection);
};

} // namespace lumo
