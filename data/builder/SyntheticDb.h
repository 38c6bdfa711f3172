#pragma once

#include <QString>

namespace lumo::data {

// A large generated database for benchmarks and scale tests: herbCount herbs
// with every section and the article filled (about 1 KB of rich text per
// section), names in all languages, links, calendar rows and one plate each.
// Interface texts, names languages, plant parts and versions come from the
// real sources. Writes outDir/Lumo.mdb and outDir/Lumo.INF.
class SyntheticDb {
public:
    SyntheticDb(const QString& schemaPath, const QString& contentDir, int herbCount);
    void build(const QString& outDir) const;

    // The generated Czech name of herb i (1-based); unique for every i.
    static QString herbName(int i);

private:
    QString m_schema;
    QString m_content;
    int m_count;
};

} // namespace lumo::data
