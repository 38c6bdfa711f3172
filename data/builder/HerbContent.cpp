#include "data/builder/HerbContent.h"

#include <QFile>
#include <QFileInfo>

namespace lumo::data {

namespace {

[[noreturn]] void fail(const QString& file, int line, const QString& message) {
    const QString where =
        line > 0 ? QStringLiteral("%1:%2: ").arg(file).arg(line) : QStringLiteral("%1: ").arg(file);
    throw ContentError((where + message).toStdString());
}

QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(path, 0, QStringLiteral("cannot open: %1").arg(f.errorString()));
    const QByteArray bytes = f.readAll();
    QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes)
        fail(path, 0, QStringLiteral("not valid UTF-8"));
    text.remove(u'\r');
    return text.split(u'\n');
}

QStringList splitList(const QString& value) {
    QStringList out;
    for (const QString& part : value.split(u';')) {
        const QString t = part.trimmed();
        if (!t.isEmpty())
            out.append(t);
    }
    return out;
}

// Header keys naming the names languages 2..8.
const QMap<QString, int>& languageKeys() {
    static const QMap<QString, int> keys{{QStringLiteral("Latinsky"), 2},    {QStringLiteral("Slovensky"), 3},
                                         {QStringLiteral("Nemecky"), 4},     {QStringLiteral("Anglicky"), 5},
                                         {QStringLiteral("Francouzsky"), 6}, {QStringLiteral("Spanelsky"), 7},
                                         {QStringLiteral("Rusky"), 8}};
    return keys;
}

void readHeader(HerbSource& herb, const QString& key, const QString& value, int line) {
    auto& langs = languageKeys();
    if (langs.contains(key)) {
        herb.names[langs.value(key)] = value;
    } else if (key == u"Idx") {
        bool ok = false;
        herb.idx = value.toInt(&ok);
        if (!ok || herb.idx <= 0)
            fail(herb.file, line, QStringLiteral("Idx must be a positive number"));
    } else if (key == u"Nazev") {
        herb.nazev = value;
    } else if (key == u"KratkyNaz") {
        herb.kratkyNaz = value;
    } else if (key == u"Celed") {
        herb.celed = value;
    } else if (key == u"Lidove") {
        herb.folk = splitList(value);
    } else if (key == u"Latky") {
        herb.latky = splitList(value);
    } else if (key == u"Skupiny") {
        herb.skupiny = splitList(value);
    } else if (key == u"Indikace") {
        herb.indikace = splitList(value);
    } else if (key == u"Kombinace") {
        herb.kombinace = splitList(value);
    } else if (key == u"Pripravky") {
        herb.pripravky = splitList(value);
    } else if (key == u"Sber") {
        for (const QString& item : splitList(value)) {
            const qsizetype sp = item.lastIndexOf(u' ');
            if (sp <= 0)
                fail(herb.file, line, QStringLiteral("harvest item needs a part and months: %1").arg(item));
            try {
                herb.sber.append({item.left(sp).trimmed(), parseMonths(item.mid(sp + 1))});
            } catch (const ContentError& e) {
                fail(herb.file, line, QString::fromStdString(e.what()));
            }
        }
    } else if (key == u"Obrazky") {
        for (const QString& item : splitList(value)) {
            const qsizetype colon = item.indexOf(u':');
            if (colon <= 0)
                fail(herb.file, line, QStringLiteral("picture needs kind: name: %1").arg(item));
            herb.obrazky.append({item.left(colon).trimmed(), item.mid(colon + 1).trimmed()});
        }
    } else if (key == u"Kresba") {
        const QStringList parts = value.split(u' ', Qt::SkipEmptyParts);
        if (parts.size() != 4)
            fail(herb.file, line, QStringLiteral("Kresba needs form and three colours"));
        herb.kresba = {parts[0], parts[1], parts[2], parts[3]};
    } else {
        fail(herb.file, line, QStringLiteral("unknown key %1").arg(key));
    }
}

// Splits the lines of one section into paragraphs at blank lines.
void addLine(QStringList& paragraphs, bool& open, const QString& line) {
    if (line.isEmpty()) {
        open = false;
        return;
    }
    if (open)
        paragraphs.last().append(u' ' + line);
    else
        paragraphs.append(line);
    open = true;
}

} // namespace

int TableRow::number(int column) const {
    bool ok = false;
    const int v = fields.value(column).toInt(&ok);
    if (!ok)
        fail(file, line,
             QStringLiteral("column %1 is not a number: %2").arg(column + 1).arg(fields.value(column)));
    return v;
}

const QStringList& sectionTitles() {
    static const QStringList titles{QStringLiteral("Název"),
                                    QStringLiteral("Indikační skupina"),
                                    QStringLiteral("Účinné látky"),
                                    QStringLiteral("Indikace"),
                                    QStringLiteral("Lékové formy"),
                                    QStringLiteral("Kontraindikace"),
                                    QStringLiteral("Kombinace s ostatními bylinami"),
                                    QStringLiteral("Léčivé přípravky jednosložkové"),
                                    QStringLiteral("Použití ve směsích"),
                                    QStringLiteral("Historie"),
                                    QStringLiteral("Legendy a mýty"),
                                    QStringLiteral("Výskyt"),
                                    QStringLiteral("Pěstování"),
                                    QStringLiteral("Botanický popis"),
                                    QStringLiteral("Sběr, sušení"),
                                    QStringLiteral("Jiné použití"),
                                    QStringLiteral("Použití v kuchyni"),
                                    QStringLiteral("Emocionální využití"),
                                    QStringLiteral("Použití v magii"),
                                    QStringLiteral("Aromaterapie"),
                                    QStringLiteral("Charakteristika TČM"),
                                    QStringLiteral("Veterinární použití"),
                                    QStringLiteral("Použití v kosmetice")};
    return titles;
}

int sectionNumber(const QString& title) {
    const int i = static_cast<int>(sectionTitles().indexOf(title));
    return i >= 1 ? i : 0;
}

QList<int> parseMonths(const QString& text) {
    QList<int> months;
    auto month = [&](const QString& s) {
        bool ok = false;
        const int m = s.toInt(&ok);
        if (!ok || m < 1 || m > 12)
            throw ContentError(QStringLiteral("bad month '%1'").arg(s).toStdString());
        return m;
    };
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        const QStringList range = part.split(u'-');
        if (range.size() == 1) {
            months.append(month(range[0]));
        } else if (range.size() == 2) {
            const int from = month(range[0]), to = month(range[1]);
            if (from > to)
                throw ContentError(QStringLiteral("bad month range '%1'").arg(part).toStdString());
            for (int m = from; m <= to; ++m)
                months.append(m);
        } else {
            throw ContentError(QStringLiteral("bad month range '%1'").arg(part).toStdString());
        }
    }
    if (months.isEmpty())
        throw ContentError(QStringLiteral("no months in '%1'").arg(text).toStdString());
    return months;
}

QList<TableRow> readTable(const QString& path, int columns) {
    QList<TableRow> rows;
    const QStringList lines = readLines(path);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields = line.split(u'|');
        if (fields.size() != columns)
            fail(path, i + 1, QStringLiteral("expected %1 fields, found %2").arg(columns).arg(fields.size()));
        for (QString& f : fields)
            f = f.trimmed();
        rows.append({path, i + 1, fields});
    }
    return rows;
}

HerbSource readHerb(const QString& path) {
    HerbSource herb;
    herb.file = path;
    const QStringList lines = readLines(path);
    QStringList* paragraphs = nullptr;
    bool open = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            open = false;
            if (name == u"Článek") {
                paragraphs = &herb.intro;
                continue;
            }
            const int typ = sectionNumber(name);
            if (typ == 0)
                fail(path, i + 1, QStringLiteral("unknown section %1").arg(name));
            for (const Section& s : herb.sections)
                if (s.typ == typ)
                    fail(path, i + 1, QStringLiteral("section %1 given twice").arg(name));
            herb.sections.append({typ, i + 1, {}});
            paragraphs = &herb.sections.last().paragraphs;
            continue;
        }
        if (paragraphs) {
            addLine(*paragraphs, open, line);
            continue;
        }
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(u':');
        if (colon <= 0)
            fail(path, i + 1, QStringLiteral("expected Key: value"));
        readHeader(herb, line.left(colon).trimmed(), line.mid(colon + 1).trimmed(), i + 1);
    }
    if (herb.idx == 0 || herb.nazev.isEmpty() || herb.celed.isEmpty())
        fail(path, 0, QStringLiteral("Idx, Nazev and Celed are required"));
    if (herb.names[2].isEmpty())
        fail(path, 0, QStringLiteral("the Latin name is required"));
    for (const Section& s : herb.sections)
        if (s.paragraphs.isEmpty())
            fail(path, s.line, QStringLiteral("empty section"));
    return herb;
}

} // namespace lumo::data
