#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "data/builder/HerbContent.h"

#include <functional>

namespace lumo::data {

class DbWriter;
class RtfWriter;

// Builds "Lumo.mdb" and "Lumo.INF" from the schema and the readable sources.
// Every reference between sources is resolved by name and checked; a bad
// source throws ContentError naming the file and line, and nothing is left
// behind in the output folder.
class HerbDbBuilder {
public:
    HerbDbBuilder(const QString& schemaPath, const QString& contentDir);

    // Reads and checks all sources without writing anything.
    void load();
    // load() if needed, then writes outDir/Lumo.mdb and outDir/Lumo.INF.
    void build(const QString& outDir);

    int herbCount() const { return static_cast<int>(m_herbs.size()); }

    // Shared with the synthetic database.
    static void createSchema(DbWriter& db, const QString& schemaPath);
    // Writes the tables both databases take from the sources as they are:
    // Jazyk, Casti, LangRes and Verze.
    static void writeFixedTables(DbWriter& db, const QString& contentDir);
    // Splits an interface text into pieces of at most maxPiece characters;
    // no piece ends in a blank, because the program right-trims each piece.
    static QStringList splitLangText(const QString& text, int maxPiece);
    // A section as the program stores it: a green "Title:" line, then the body.
    static void sectionRtf(RtfWriter& rtf, int typ, const QStringList& paragraphs);
    // A category description as the program stores it: ending with a line break, so what the
    // program writes after it (the list of the item's herbs) starts a line of its own.
    static QString description(const QString& text);
    // Writes the 16-bit little-endian edition stamp.
    static void writeStamp(const QString& path, int stamp);
    // Creates outDir/Lumo.mdb with the schema, lets fill write the rows in one transaction,
    // and replaces an older file only when all went well; then writes outDir/Lumo.INF.
    static void writeDatabase(const QString& outDir, const QString& schemaPath, int stamp,
                              const std::function<void(DbWriter&)>& fill);

    static constexpr int kLangPiece = 16;

private:
    void loadTables();
    void writeCategories(DbWriter& db) const;
    void writeHerb(DbWriter& db, const HerbSource& herb, int& nameIdx, int& pictureIdx) const;
    void writeLinks(DbWriter& db, const HerbSource& herb) const;
    QString sectionText(const HerbSource& herb, const Section& s) const;
    QString article(const HerbSource& herb) const;
    void checkLinks(const HerbSource& herb, const RtfWriter& rtf, int line) const;
    QString path(const QString& name) const;

    QString m_schema;
    QString m_content;
    bool m_loaded = false;
    QList<HerbSource> m_herbs;
    QHash<QString, int> m_herbByName;
    // Category tables by name: the herb files refer to rows by their names.
    QList<TableRow> m_celedi, m_latky, m_skupiny, m_indikace, m_kombinace, m_pripravky, m_casti, m_literatura;
    QHash<QString, int> m_celedByLatin, m_latkaByName, m_skupinaByName, m_indikaceByName, m_kombinaceByName,
        m_pripravekByName, m_castByName;
    int m_stamp = 0;
};

} // namespace lumo::data
