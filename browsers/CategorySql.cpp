#include "browsers/CategorySql.h"

namespace lumo::CategorySql {

namespace {

QString n(long value) {
    return QString::number(value);
}

QString anyHerbOf(const Link& link, long id) {
    return QStringLiteral("(SELECT IdxByliny FROM ") + link.table + QStringLiteral(" WHERE ") + link.key +
           QStringLiteral("=") + n(id) + QStringLiteral(")");
}

} // namespace

QString PerHerb(const QString& entity, const Link& link, long herb) {
    return QStringLiteral("SELECT * FROM ") + entity + QStringLiteral(" AS u, ") + link.table +
           QStringLiteral(" AS b WHERE IdxByliny=") + n(herb) + QStringLiteral(" AND ") + link.key +
           QStringLiteral("=Idx ORDER BY Nazev");
}

QString AllItems(const QString& entity) {
    return QStringLiteral("SELECT * FROM ") + entity + QStringLiteral(" ORDER BY Nazev");
}

QString Item(const QString& entity, long id) {
    return QStringLiteral("SELECT * FROM ") + entity + QStringLiteral(" WHERE Idx=") + n(id);
}

QString HerbsWithOne(const Link& link, long id) {
    return QStringLiteral("SELECT DISTINCT b.* FROM Byliny AS b, ") + link.table + QStringLiteral(" AS u ") +
           QStringLiteral("WHERE Idx=IdxByliny AND ") + link.key + QStringLiteral("=") + n(id);
}

QString HerbsWithItem(const Link& link, long id) {
    return Ordered(HerbsWithOne(link, id));
}

MarkedSearch Marked(const Link& link, const QString& caption,
                    const std::vector<std::pair<long, QString>>& items) {
    MarkedSearch out;
    if (items.empty())
        return out;
    out.sql = QStringLiteral("SELECT * FROM Byliny WHERE ");
    out.condition = caption;
    bool first = true;
    for (const auto& [id, text] : items) {
        out.ids.push_back(id);
        // The first term ends with a blank and the others start without one: from the third
        // term on the statement reads ")AND", which the engine accepts.
        if (first) {
            out.condition += text;
            out.sql += QStringLiteral("Idx=ANY ") + anyHerbOf(link, id) + QStringLiteral(" ");
            first = false;
        } else {
            out.condition += QStringLiteral(", ") + text;
            out.sql += QStringLiteral("AND Idx=ANY ") + anyHerbOf(link, id);
        }
    }
    return out;
}

QString Ordered(const QString& sql) {
    return sql + QStringLiteral(" ORDER BY Nazev");
}

QString HerbNames(const Link& link, long id, long namesLang) {
    if (namesLang == 1)
        return QStringLiteral("SELECT Nazev, Idx FROM Byliny WHERE Idx = ANY ") + anyHerbOf(link, id) +
               QStringLiteral(" ORDER BY Nazev");
    return QStringLiteral("SELECT n.Nazev, b.Idx FROM Byliny AS b, Nazvy AS n WHERE IdxByliny = b.Idx AND ") +
           QStringLiteral("IdxJazyk = ") + n(namesLang) +
           QStringLiteral(" AND Len(Trim(n.Nazev)) > 0 AND b.Idx = ANY") + anyHerbOf(link, id) +
           QStringLiteral(" ORDER BY n.Nazev");
}

QString HerbParts(long herb) {
    return QStringLiteral("SELECT DISTINCT Nazev, IdxCast FROM Casti AS u, Sber AS b WHERE IdxByliny=") +
           n(herb) + QStringLiteral(" AND IdxCast=Idx ORDER BY Nazev");
}

QString PartMonths(long herb, long part) {
    return QStringLiteral("SELECT * FROM Sber WHERE IdxByliny=") + n(herb) + QStringLiteral(" AND IdxCast=") +
           n(part) + QStringLiteral(" ORDER BY Mesic");
}

QString MonthHerbs(long month) {
    return QStringLiteral("SELECT DISTINCT Nazev, Idx FROM Byliny WHERE Idx = ANY ") +
           QStringLiteral("(SELECT IdxByliny FROM Sber WHERE Mesic=") + n(month) +
           QStringLiteral(") ORDER BY Nazev");
}

QString PartsInMonth(long herb, long month) {
    return QStringLiteral("SELECT DISTINCT Nazev FROM Casti AS u, Sber AS b WHERE IdxByliny=") + n(herb) +
           QStringLiteral(" AND IdxCast=Idx AND Mesic=") + n(month) + QStringLiteral(" ORDER BY Nazev");
}

QString HerbIndications(long herb, long parent) {
    return QStringLiteral("SELECT * FROM Indikace AS u, IndikaceByliny AS b WHERE IdxByliny=") + n(herb) +
           QStringLiteral(" AND b.IdxIndikace=Idx AND u.IdxIndikace=") + n(parent) +
           QStringLiteral(" ORDER BY Nazev");
}

QString ChildIndications(long parent) {
    return QStringLiteral("SELECT * FROM Indikace WHERE IdxIndikace=") + n(parent) +
           QStringLiteral(" ORDER BY Nazev");
}

QString AllFamilies() {
    return AllItems(QStringLiteral("Celedi"));
}

QString Family(long id) {
    return Item(QStringLiteral("Celedi"), id);
}

QString FamilyHerbNames(long family, long namesLang) {
    if (namesLang == 1)
        return QStringLiteral("SELECT Nazev, Idx FROM Byliny WHERE IdxCeled = ") + n(family) +
               QStringLiteral(" ORDER BY Nazev");
    return QStringLiteral("SELECT n.Nazev, b.Idx FROM Byliny AS b, Nazvy AS n WHERE IdxByliny = b.Idx AND ") +
           QStringLiteral("IdxJazyk = ") + n(namesLang) + QStringLiteral(" AND IdxCeled = ") + n(family) +
           QStringLiteral(" AND Len(Trim(n.Nazev)) > 0 ORDER BY n.Nazev");
}

QString FamilyHerbs(long family) {
    return QStringLiteral("SELECT * FROM Byliny WHERE IdxCeled=") + n(family) +
           QStringLiteral(" ORDER BY Nazev");
}

QString AllLiterature() {
    return QStringLiteral("SELECT * FROM Literatura ORDER BY Autor");
}

QString LiteratureEntry(long id) {
    return Item(QStringLiteral("Literatura"), id);
}

} // namespace lumo::CategorySql
