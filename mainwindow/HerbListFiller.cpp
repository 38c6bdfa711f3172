#include "mainwindow/HerbListFiller.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

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

void HerbListFiller::ReadRows(db::Recordset& rs, bool joined, std::vector<HerbListRow>& rows) {
    const QString idColumn = joined ? QStringLiteral("b.Idx") : QStringLiteral("Idx");
    const QString nameColumn = joined ? QStringLiteral("n.Nazev") : QStringLiteral("Nazev");
    if (rs.eof())
        return;
    // The columns are looked up once; a missing one raises as a lookup by name does.
    const int idIndex = static_cast<int>(rs.fieldNames().indexOf(idColumn, Qt::CaseInsensitive));
    const int nameIndex = static_cast<int>(rs.fieldNames().indexOf(nameColumn, Qt::CaseInsensitive));
    if (idIndex < 0 || nameIndex < 0)
        rs.field(idIndex < 0 ? idColumn : nameColumn);
    rows.reserve(rows.size() + static_cast<size_t>(std::max(rs.recordCount(), 0L)));
    for (; !rs.eof(); rs.moveNext()) {
        HerbListRow row;
        row.Idx = rs.field(idIndex).toLong();
        row.Nazev = rs.field(nameIndex).str();
        if (joined)
            row.Nazev = row.Nazev.trimmed();
        if (joined ? !row.Nazev.isEmpty() : !isBlank(row.Nazev))
            rows.push_back(std::move(row));
    }
}

std::vector<ForeignName> HerbListFiller::ReadForeignNames(db::Connection& connection) {
    db::Recordset rs;
    rs.open(connection, ForeignNamesSql());
    std::vector<ForeignName> names;
    names.reserve(static_cast<size_t>(std::max(rs.recordCount(), 0L)));
    for (; !rs.eof(); rs.moveNext()) {
        ForeignName name{rs.field(QStringLiteral("IdxByliny")).toLong(),
                         rs.field(QStringLiteral("Nazev")).str()};
        if (!isBlank(name.Nazev))
            names.push_back(std::move(name));
    }
    rs.close();
    return names;
}

} // namespace lumo
