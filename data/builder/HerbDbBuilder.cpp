#include "data/builder/HerbDbBuilder.h"

#include "data/builder/DbWriter.h"
#include "data/builder/PlatePainter.h"
#include "data/builder/RtfWriter.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

namespace lumo::data {

namespace {

[[noreturn]] void fail(const QString& where, const QString& message) {
    throw ContentError(QStringLiteral("%1: %2").arg(where, message).toStdString());
}

QString at(const TableRow& row) {
    return QStringLiteral("%1:%2").arg(row.file).arg(row.line);
}

// Maps the name column of a table to its Idx column; names and ids must be unique.
QHash<QString, int> indexByName(const QList<TableRow>& rows, int nameColumn) {
    QHash<QString, int> map;
    QSet<int> ids;
    for (const TableRow& row : rows) {
        const int idx = row.number(0);
        if (idx <= 0 || ids.contains(idx))
            fail(at(row), QStringLiteral("Idx %1 is not positive or not unique").arg(idx));
        ids.insert(idx);
        const QString name = row.fields[nameColumn];
        if (name.isEmpty() || map.contains(name))
            fail(at(row), QStringLiteral("name '%1' is empty or not unique").arg(name));
        map.insert(name, idx);
    }
    return map;
}

int resolve(const QHash<QString, int>& map, const QString& name, const HerbSource& herb, const char* what) {
    const auto it = map.constFind(name);
    if (it == map.constEnd())
        fail(herb.file, QStringLiteral("unknown %1 '%2'").arg(QString::fromLatin1(what), name));
    return it.value();
}

} // namespace

HerbDbBuilder::HerbDbBuilder(const QString& schemaPath, const QString& contentDir)
    : m_schema(schemaPath), m_content(contentDir) {}

QString HerbDbBuilder::path(const QString& name) const {
    return QDir(m_content).filePath(name);
}

void HerbDbBuilder::createSchema(DbWriter& db, const QString& schemaPath) {
    QFile f(schemaPath);
    if (!f.open(QIODevice::ReadOnly))
        fail(schemaPath, f.errorString());
    db.exec(QString::fromUtf8(f.readAll()));
}

QStringList HerbDbBuilder::splitLangText(const QString& text, int maxPiece) {
    QStringList pieces;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = std::min(pos + maxPiece, text.size());
        // Move a trailing blank to the next piece; the reader trims it away.
        while (end > pos + 1 && text.at(end - 1) == u' ')
            --end;
        pieces.append(text.mid(pos, end - pos));
        pos = end;
    }
    return pieces;
}

void HerbDbBuilder::writeFixedTables(DbWriter& db, const QString& contentDir) {
    const QDir dir(contentDir);
    for (const TableRow& row : readTable(dir.filePath(QStringLiteral("jazyky.txt")), 2))
        db.insert(QStringLiteral("Jazyk"), {row.number(0), row.fields[1]});
    for (const TableRow& row : readTable(dir.filePath(QStringLiteral("casti.txt")), 2))
        db.insert(QStringLiteral("Casti"), {row.number(0), row.fields[1]});
    for (const TableRow& row : readTable(dir.filePath(QStringLiteral("langres.txt")), 3)) {
        const int lang = row.number(1);
        if (lang != 1 && lang != 2)
            fail(at(row), QStringLiteral("interface language must be 1 or 2"));
        const QStringList pieces = splitLangText(row.fields[2], kLangPiece);
        for (int i = 0; i < pieces.size(); ++i)
            db.insert(QStringLiteral("LangRes"), {row.number(0), lang, i + 1, pieces[i]});
    }
    for (const TableRow& row : readTable(dir.filePath(QStringLiteral("verze.txt")), 4)) {
        if (!QDate::fromString(row.fields[1], Qt::ISODate).isValid())
            fail(at(row), QStringLiteral("FromDate must be YYYY-MM-DD"));
        db.insert(QStringLiteral("Verze"), {row.number(0), row.fields[1], row.number(2), row.fields[3]});
    }
}

void HerbDbBuilder::writeStamp(const QString& path, int stamp) {
    QSaveFile f(path);
    const char bytes[2] = {static_cast<char>(stamp & 0xff), static_cast<char>((stamp >> 8) & 0xff)};
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes, 2) != 2 || !f.commit())
        fail(path, f.errorString());
}

void HerbDbBuilder::sectionRtf(RtfWriter& rtf, int typ, const QStringList& paragraphs) {
    rtf.heading(sectionTitles().value(typ) + u':');
    for (const QString& p : paragraphs)
        if (!rtf.paragraph(p))
            throw ContentError(rtf.error().toStdString());
}

void HerbDbBuilder::loadTables() {
    m_celedi = readTable(path(QStringLiteral("celedi.txt")), 4);
    m_latky = readTable(path(QStringLiteral("latky.txt")), 3);
    m_skupiny = readTable(path(QStringLiteral("skupiny.txt")), 3);
    m_indikace = readTable(path(QStringLiteral("indikace.txt")), 4);
    m_kombinace = readTable(path(QStringLiteral("kombinace.txt")), 3);
    m_pripravky = readTable(path(QStringLiteral("pripravky.txt")), 3);
    m_casti = readTable(path(QStringLiteral("casti.txt")), 2);
    m_literatura = readTable(path(QStringLiteral("literatura.txt")), 4);
    m_celedByLatin = indexByName(m_celedi, 2);
    m_latkaByName = indexByName(m_latky, 1);
    m_skupinaByName = indexByName(m_skupiny, 1);
    m_indikaceByName = indexByName(m_indikace, 2);
    m_kombinaceByName = indexByName(m_kombinace, 1);
    m_pripravekByName = indexByName(m_pripravky, 1);
    m_castByName = indexByName(m_casti, 1);
    indexByName(m_literatura, 2);
    // Two levels only: a parent must itself be a top-level indication.
    QHash<int, int> parentOf;
    for (const TableRow& row : m_indikace)
        parentOf.insert(row.number(0), row.number(1));
    for (const TableRow& row : m_indikace) {
        const int parent = row.number(1);
        if (parent != 0 && parentOf.value(parent, -1) != 0)
            fail(at(row), QStringLiteral("parent %1 is not a top-level indication").arg(parent));
    }
    const QList<TableRow> stamp = readTable(path(QStringLiteral("inf.txt")), 1);
    if (stamp.size() != 1 || stamp[0].number(0) <= 0 || stamp[0].number(0) > 32767)
        fail(path(QStringLiteral("inf.txt")), QStringLiteral("one stamp between 1 and 32767 expected"));
    m_stamp = stamp[0].number(0);
}

void HerbDbBuilder::load() {
    if (m_loaded)
        return;
    loadTables();
    QDir dir(path(QStringLiteral("herbs")));
    const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& f : files)
        m_herbs.append(readHerb(dir.filePath(f)));
    std::sort(m_herbs.begin(), m_herbs.end(),
              [](const HerbSource& a, const HerbSource& b) { return a.idx < b.idx; });
    for (int i = 0; i < m_herbs.size(); ++i) {
        const HerbSource& h = m_herbs[i];
        if (i > 0 && m_herbs[i - 1].idx == h.idx)
            fail(h.file, QStringLiteral("Idx %1 also used by %2").arg(h.idx).arg(m_herbs[i - 1].file));
        if (m_herbByName.contains(h.nazev))
            fail(h.file, QStringLiteral("name '%1' used twice").arg(h.nazev));
        m_herbByName.insert(h.nazev, h.idx);
    }
    // Resolve every reference now so that a bad source fails before writing.
    for (const HerbSource& h : m_herbs) {
        resolve(m_celedByLatin, h.celed, h, "family");
        for (const Harvest& s : h.sber)
            resolve(m_castByName, s.part, h, "plant part");
        for (const Section& s : h.sections)
            sectionText(h, s);
        article(h);
    }
    m_loaded = true;
}

void HerbDbBuilder::checkLinks(const HerbSource& herb, const RtfWriter& rtf, int line) const {
    for (const QString& link : rtf.links())
        if (!m_herbByName.contains(link))
            fail(QStringLiteral("%1:%2").arg(herb.file).arg(line),
                 QStringLiteral("link '%1' names no herb").arg(link));
}

QString HerbDbBuilder::sectionText(const HerbSource& herb, const Section& s) const {
    RtfWriter rtf;
    try {
        sectionRtf(rtf, s.typ, s.paragraphs);
    } catch (const ContentError& e) {
        fail(QStringLiteral("%1:%2").arg(herb.file).arg(s.line), QString::fromStdString(e.what()));
    }
    checkLinks(herb, rtf, s.line);
    return rtf.finish();
}

QString HerbDbBuilder::article(const HerbSource& herb) const {
    RtfWriter rtf;
    rtf.title(herb.nazev);
    QString family;
    for (const TableRow& row : m_celedi)
        if (row.fields[2] == herb.celed)
            family = QStringLiteral(" \u2013 čeleď %1 (//%2//)").arg(row.fields[1], row.fields[2]);
    QStringList head{QStringLiteral("//%1//%2").arg(herb.names[2], family)};
    head += herb.intro;
    QList<Section> sections = herb.sections;
    std::sort(sections.begin(), sections.end(),
              [](const Section& a, const Section& b) { return a.typ < b.typ; });
    try {
        for (const QString& p : head)
            if (!rtf.paragraph(p))
                throw ContentError(rtf.error().toStdString());
        for (const Section& s : sections)
            sectionRtf(rtf, s.typ, s.paragraphs);
    } catch (const ContentError& e) {
        fail(herb.file, QString::fromStdString(e.what()));
    }
    checkLinks(herb, rtf, 0);
    return rtf.finish();
}

QString HerbDbBuilder::description(const QString& text) {
    return text + QStringLiteral("\r\n");
}

void HerbDbBuilder::writeCategories(DbWriter& db) const {
    for (const TableRow& r : m_celedi)
        db.insert(QStringLiteral("Celedi"),
                  {r.number(0), r.fields[1], r.fields[2], description(r.fields[3])});
    for (const TableRow& r : m_latky)
        db.insert(QStringLiteral("UcinneLatky"), {r.number(0), r.fields[1], description(r.fields[2])});
    for (const TableRow& r : m_skupiny)
        db.insert(QStringLiteral("IndikacniSkupiny"), {r.number(0), r.fields[1], description(r.fields[2])});
    for (const TableRow& r : m_indikace)
        db.insert(QStringLiteral("Indikace"),
                  {r.number(0), r.fields[2], description(r.fields[3]), r.number(1)});
    for (const TableRow& r : m_kombinace)
        db.insert(QStringLiteral("Kombinace"), {r.number(0), r.fields[1], description(r.fields[2])});
    for (const TableRow& r : m_pripravky)
        db.insert(QStringLiteral("Pripravky"), {r.number(0), r.fields[1], r.fields[2]});
    for (const TableRow& r : m_literatura)
        db.insert(QStringLiteral("Literatura"),
                  {r.number(0), r.fields[1], r.fields[2], description(r.fields[3])});
}

void HerbDbBuilder::writeLinks(DbWriter& db, const HerbSource& herb) const {
    struct Link {
        const QStringList& names;
        const QHash<QString, int>& map;
        const char* table;
        const char* what;
    };
    const Link links[] = {
        {herb.latky, m_latkaByName, "UcLatkyByliny", "active substance"},
        {herb.skupiny, m_skupinaByName, "IndSkupByliny", "indication group"},
        {herb.indikace, m_indikaceByName, "IndikaceByliny", "indication"},
        {herb.kombinace, m_kombinaceByName, "KombinaceByliny", "combination"},
        {herb.pripravky, m_pripravekByName, "PripravkyByliny", "preparation"},
    };
    for (const Link& l : links) {
        QSet<int> seen;
        for (const QString& name : l.names) {
            const int id = resolve(l.map, name, herb, l.what);
            if (seen.contains(id))
                continue;
            seen.insert(id);
            db.insert(QString::fromLatin1(l.table), {herb.idx, id});
        }
    }
}

void HerbDbBuilder::writeHerb(DbWriter& db, const HerbSource& herb, int& nameIdx, int& pictureIdx) const {
    db.insert(QStringLiteral("Byliny"),
              {herb.idx, herb.nazev, herb.kratkyNaz, resolve(m_celedByLatin, herb.celed, herb, "family")});
    // The Czech name is a name row too: the search box's lookup of other names finds it
    // while the list shows another names language.
    db.insert(QStringLiteral("Nazvy"), {++nameIdx, herb.idx, 1, herb.nazev});
    for (int lang = 2; lang <= 8; ++lang)
        db.insert(QStringLiteral("Nazvy"), {++nameIdx, herb.idx, lang, herb.names[lang]});
    for (const QString& folk : herb.folk)
        db.insert(QStringLiteral("Nazvy"), {++nameIdx, herb.idx, 9, folk});
    writeLinks(db, herb);
    for (const Harvest& h : herb.sber) {
        const int part = resolve(m_castByName, h.part, herb, "plant part");
        for (int month : h.months)
            db.insert(QStringLiteral("Sber"), {herb.idx, part, month});
    }
    for (const Section& s : herb.sections)
        db.insert(QStringLiteral("Texty"), {herb.idx, s.typ, sectionText(herb, s)});
    db.insert(QStringLiteral("Clanky"), {herb.idx, article(herb)});
    const PlatePainter painter(herb.nazev, herb.names[2], herb.kresba);
    for (const Plate& plate : herb.obrazky)
        db.insert(QStringLiteral("Obrazky"), {++pictureIdx, herb.idx, plate.name, painter.paint(plate)});
}

void HerbDbBuilder::writeDatabase(const QString& outDir, const QString& schemaPath, int stamp,
                                  const std::function<void(DbWriter&)>& fill) {
    QDir().mkpath(outDir);
    const QString target = QDir(outDir).filePath(QStringLiteral("Lumo.mdb"));
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    try {
        DbWriter db(part, db::kDatabasePassword);
        createSchema(db, schemaPath);
        db.begin();
        fill(db);
        db.commit();
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    QFile::remove(target);
    if (!QFile::rename(part, target))
        fail(target, QStringLiteral("cannot replace the database"));
    writeStamp(QDir(outDir).filePath(QStringLiteral("Lumo.INF")), stamp);
}

void HerbDbBuilder::build(const QString& outDir) {
    load();
    writeDatabase(outDir, m_schema, m_stamp, [this](DbWriter& db) {
        writeFixedTables(db, m_content);
        writeCategories(db);
        int nameIdx = 0, pictureIdx = 0;
        for (const HerbSource& herb : m_herbs)
            writeHerb(db, herb, nameIdx, pictureIdx);
    });
}

} // namespace lumo::data
