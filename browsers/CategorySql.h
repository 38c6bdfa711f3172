#pragma once

#include <QString>

#include <utility>
#include <vector>

// The browsers' statements, written in the Jet dialect the connection translates. Numbers go
// in as decimal text; the texts are kept exactly, blanks included, because they are compared
// and logged as they stand.
namespace lumo::CategorySql {

// A category's herb links: the link table and its item key column (UcLatkyByliny and
// IdxUcLatky; Sber and Mesic for the collection months).
struct Link {
    QString table;
    QString key;
};

// A herb's items of an entity table joined with its link table, by name.
QString PerHerb(const QString& entity, const Link& link, long herb);
// Every item of an entity table by name; one item by its id.
QString AllItems(const QString& entity);
QString Item(const QString& entity, long id);

// Herbs linked to one item (no order).
QString HerbsWithOne(const Link& link, long id);
// Herbs linked to one item, by name (the herbs-with-item command).
QString HerbsWithItem(const Link& link, long id);

// Herbs linked to every item of a marked search, with its condition in words.
struct MarkedSearch {
    QString sql;       // without the ORDER BY
    QString condition; // caption followed by the item texts joined by ", "
    std::vector<long> ids;
};
// items: (id, text) in list order; an empty list gives an empty search.
MarkedSearch Marked(const Link& link, const QString& caption,
                    const std::vector<std::pair<long, QString>>& items);
// The ORDER BY every search ends with.
QString Ordered(const QString& sql);

// Names of the herbs linked to one item for a description: Czech names from Byliny for names
// language 1, otherwise the non-blank names of that language.
QString HerbNames(const Link& link, long id, long namesLang);

// The collection calendar.
QString HerbParts(long herb);
QString PartMonths(long herb, long part);
QString MonthHerbs(long month);
QString PartsInMonth(long herb, long month);

// Indications: one level of a herb's indications (parent 0: the top level) and the
// indications whose parent is an indication.
QString HerbIndications(long herb, long parent);
QString ChildIndications(long parent);

// Botanical families and literature.
QString AllFamilies();
QString Family(long id);
QString FamilyHerbNames(long family, long namesLang);
QString FamilyHerbs(long family);
QString AllLiterature();
QString LiteratureEntry(long id);

} // namespace lumo::CategorySql
