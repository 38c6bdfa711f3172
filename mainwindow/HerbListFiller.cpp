#include "mainwindow/HerbListFiller.h"

#include "platform/db/Connection.h"

namespace lumo {

namespace {

bool isBlank(const QString& text) {
    return text.trimmed().isEmpty();
}

} // namespace

QString HerbListFiller::AllHerbsSql() {
    return QStringLiteral("SELECT * FROM Byliny ORDER BY Nazev");
}

QString HerbListFiller::LanguagesSql() {
    return QStringLiteral("SELECT * FROM Jazyk ORDER BY Idx");
}

QString HerbListFiller::NamesLanguageSql(long language) {
    if (language < 2 || language > 9)
        return {};
    return QStringLiteral("SELECT * FROM Byliny AS b, Nazvy AS n WHERE IdxByliny=b.Idx AND IdxJazyk=") +
           QString::number(language) + QStringLiteral(" AND Len(Trim(n.Nazev))>0 ORDER BY n.Nazev");
}

long HerbListFiller::NamesLanguage(long namesLang) {
    return namesLang >= 1 && namesLang <= 9 ? namesLang : 1;
}

QString HerbListFiller::AllHerbsSqlFor(long namesLang) {
    return NamesLanguageSql(NamesLanguage(namesLang));
}

bool HerbListFiller::IsAllHerbsSql(const QString& sql) {
    if (isBlank(sql))
        return true;
    const QString trimmed = sql.trimmed();
    for (long language = 2; language <= 9; ++language) {
        if (trimmed == NamesLanguageSql(language))
            return true;
    }
    return false;
}

QString HerbListFiller::ForeignNamesSql() {
    return QStringLiteral("SELECT * FROM Nazvy ORDER BY Nazev");
}

namespace {

// Steps through a statement and appends {id, name} of each row whose name is not blank (trimmed
// first with trim); only the two columns are read, however many the statement returns. Returns
// the number of result rows, blank ones included.
template <class Entry>
long readNamedRows(db::Connection& connection, const QString& sql, const QString& idColumn,
                   const QString& nameColumn, bool trim, std::vector<Entry>& out) {
    long count = 0;
    int idIndex = -1;
    int nameIndex = -1;
    connection.forEachRow(sql, {}, [&](const db::Connection::Row& row) {
        if (count++ == 0) {
            idIndex = row.requireColumn(idColumn);
            nameIndex = row.requireColumn(nameColumn);
        }
        QString name = row.field(nameIndex).str();
        if (trim)
            name = name.trimmed();
        if (trim ? name.isEmpty() : isBlank(name))
            return true;
        out.push_back({row.field(idIndex).toLong(), std::move(name)});
        return true;
    });
    return count;
}

} // namespace

long HerbListFiller::ReadRows(db::Connection& connection, const QString& sql, bool joined,
                              std::vector<HerbListRow>& rows) {
    return readNamedRows(connection, sql, joined ? QStringLiteral("b.Idx") : QStringLiteral("Idx"),
                         joined ? QStringLiteral("n.Nazev") : QStringLiteral("Nazev"), joined, rows);
}

std::vector<ForeignName> HerbListFiller::ReadForeignNames(db::Connection& connection) {
    std::vector<ForeignName> names;
    readNamedRows(connection, ForeignNamesSql(), QStringLiteral("IdxByliny"), QStringLiteral("Nazev"), false,
                  names);
    return names;
}

} // namespace lumo
