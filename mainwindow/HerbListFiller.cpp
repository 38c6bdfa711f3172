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

long HerbListFiller::ReadRows(db::Connection& connection, const QString& sql, bool joined,
                              std::vector<HerbListRow>& rows) {
    const QString idColumn = joined ? QStringLiteral("b.Idx") : QStringLiteral("Idx");
    const QString nameColumn = joined ? QStringLiteral("n.Nazev") : QStringLiteral("Nazev");
    long count = 0;
    int idIndex = -1;
    int nameIndex = -1;
    // Only the two columns are read from each row, however many the statement returns.
    connection.forEachRow(sql, {}, [&](const db::Connection::Row& row) {
        if (count++ == 0) {
            idIndex = row.requireColumn(idColumn);
            nameIndex = row.requireColumn(nameColumn);
        }
        QString name = row.field(nameIndex).str();
        if (joined)
            name = name.trimmed();
        if (joined ? name.isEmpty() : isBlank(name))
            return true;
        rows.push_back({row.field(idIndex).toLong(), std::move(name)});
        return true;
    });
    return count;
}

std::vector<ForeignName> HerbListFiller::ReadForeignNames(db::Connection& connection) {
    std::vector<ForeignName> names;
    int idIndex = -1;
    int nameIndex = -1;
    connection.forEachRow(ForeignNamesSql(), {}, [&](const db::Connection::Row& row) {
        if (nameIndex < 0) {
            idIndex = row.requireColumn(QStringLiteral("IdxByliny"));
            nameIndex = row.requireColumn(QStringLiteral("Nazev"));
        }
        QString name = row.field(nameIndex).str();
        if (!isBlank(name))
            names.push_back({row.field(idIndex).toLong(), std::move(name)});
        return true;
    });
    return names;
}

} // namespace lumo
