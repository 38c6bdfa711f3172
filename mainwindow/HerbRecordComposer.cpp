#include "mainwindow/HerbRecordComposer.h"

#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/err/VbError.h"
#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfUnits.h"
#include "platform/rtf/RtfWriter.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/PositionMap.h"
#include "platform/ui/Units.h"

#include <QScopeGuard>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace lumo {

namespace {

const QString kHerbMessage =
    QStringLiteral("Nelze načíst informace o bylině, kontaktujte technickou podporu");
const QString kHerbTitle = QStringLiteral("Nelze načíst informace o bylině");
const QString kCrLf = QStringLiteral("\r\n");

QString field(const db::Recordset& rs, const char* name) {
    return rs.field(QString::fromLatin1(name)).str();
}

// Merges a format over the box positions [from, to) (CR LF counts two, as in the box's text).
void mergeBoxRange(QTextDocument& doc, const ui::PositionMap& map, int from, int to,
                   const QTextCharFormat& f) {
    const int a = map.toDoc(from);
    const int b = map.toDoc(to);
    if (b <= a)
        return;
    QTextCursor c(&doc);
    c.setPosition(a);
    c.setPosition(b, QTextCursor::KeepAnchor);
    c.mergeCharFormat(f);
}

// The indent is where a paragraph's first line starts; a hanging first line (a list item's
// bullet) keeps its offset to the lines below it.
void setStartIndent(QTextBlockFormat& f, int twips) {
    f.setLeftMargin(rtf::BlockUnitsFromTwips(twips) - f.textIndent());
}

void setIndent(QTextDocument& doc, int twips) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat f = b.blockFormat();
        setStartIndent(f, twips);
        QTextCursor(b).setBlockFormat(f);
    }
}

void appendBreak(QTextDocument& doc) {
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertBlock();
}

QTextCharFormat sizeFormat(int points, bool bold) {
    QTextCharFormat f;
    if (points > 0)
        f.setFontPointSize(points);
    if (bold)
        f.setFontWeight(QFont::Bold);
    return f;
}

} // namespace

HerbRecordComposer::HerbRecordComposer(db::Connection& connection, const ProgramSettings& settings,
                                       const CKelSrv& srv, CKelErr* errObj)
    : m_connection(connection), m_settings(settings), m_srv(srv), m_errObj(errObj) {}

void HerbRecordComposer::report(int number, const QString& message, const QString& title,
                                const QString& location, bool runTime) const {
    if (!m_errObj)
        return;
    if (!runTime) {
        m_errObj->ErrView(number, message, title, location);
        return;
    }
    const err::ErrorRecord& e = err::CurrentError();
    m_errObj->ErrView(number, err::SystemText(message, e), title, location + e.Description);
}

void HerbRecordComposer::reportDamaged(int number, const QString& location,
                                       const rtf::ReadResult& read) const {
    if (read.ok)
        return;
    try {
        err::Raise(err::errInvalidCall, QString(), read.error);
    } catch (...) {
        err::CaptureCurrentException();
        report(number, kHerbMessage, kHerbTitle, location, true);
    }
}

ComposedRecord HerbRecordComposer::NactiBylinu(const RecordRequest& request, const KeepGoing& keepGoing) {
    ComposedRecord out;
    // A failure shows what was composed of this herb, never a previous one.
    m_work.clear();
    m_captions = {};
    m_herbName = request.HerbName;
    m_languages = request.Languages;
    const auto superseded = [] {
        ComposedRecord stopped;
        stopped.outcome = ComposedRecord::Outcome::Superseded;
        return stopped;
    };
    try {
        db::Recordset rs;
        rs.open(m_connection,
                QStringLiteral("SELECT * FROM Byliny WHERE Idx=") + QString::number(request.Idx));
        if (rs.eof()) {
            HerbKratkyNaz.clear();
            out.outcome = ComposedRecord::Outcome::NoHerb;
            out.Rtf = m_srv.rtfHeader() +
                      m_srv.RTFKod(QStringLiteral("Nejsou k dispozici žádné informace"), true, true, 4, 20, 4,
                                   true) +
                      QStringLiteral("}");
            return out;
        }
        HerbNazev = field(rs, "Nazev");
        HerbKratkyNaz = field(rs, "KratkyNaz");
        const long family = rs.field(QStringLiteral("IdxCeled")).toLong();
        rs.close();
        NazvyByliny(request.Idx);
        NactiCeledByliny(family);
        if (m_settings.DisableSegmentSel) {
            rtf::ReadRtf(NactiClanek(request.Idx), m_work);
            if (keepGoing && !keepGoing(kProgressMax))
                return superseded();
        } else if (!composeSections(request, keepGoing, out)) {
            return superseded();
        }
        applyFontName();
        if (!request.FindText.trimmed().isEmpty() && !highlight(request.FindText, keepGoing))
            return superseded();
        out.Rtf = rtf::WriteRtf(m_work);
    } catch (...) {
        err::CaptureCurrentException();
        report(4, kHerbMessage, kHerbTitle, QStringLiteral("LUMO-FrmMain-NactiBylinu-"), true);
        out.outcome = ComposedRecord::Outcome::Failed;
        out.Rtf = rtf::WriteRtf(m_work);
    }
    out.Captions = m_captions;
    return out;
}

bool HerbRecordComposer::composeSections(const RecordRequest& request, const KeepGoing& keepGoing,
                                         ComposedRecord& out) {
    rtf::ReadRtf(m_srv.rtfHeader() + SestavNazvy() + QStringLiteral("\\par} "), m_work);
    for (int p = 1; p <= kSegmentCount; ++p) {
        int found = 0;
        for (int j = 1; j <= kSegmentCount; ++j) {
            if (keepGoing && !keepGoing((p - 1) * kSegmentCount + (j - 1)))
                return false;
            // Two records claiming one position: the first one wins.
            if (m_settings.Segments[j].Index == p) {
                found = j;
                break;
            }
        }
        if (found == 0)
            continue;
        const SegmentSettings& seg = m_settings.Segments[found];
        if (!seg.Enabled) {
            out.ButtonEnabled[found] = false;
            continue;
        }
        if (request.Shown[found])
            addSection(request.Idx, found);
        out.ButtonEnabled[found] = true;
    }
    return true;
}

void HerbRecordComposer::addSection(long Idx, int j) {
    const int indent = m_settings.Segments[j].LeftIndent;
    const QString text = NactiText(Idx, j, indent);
    if (!m_settings.SafeText) {
        PridejRTF(text);
        return;
    }
    // A herb without this section's text adds nothing, not even an empty heading.
    const qsizetype br = text.indexOf(kCrLf);
    if (br >= 0)
        PridejText(text.left(br), text.mid(br + 2), j, indent);
}

void HerbRecordComposer::NazvyByliny(long Idx) {
    NamePos.clear();
    OtherNames.clear();
    FolkNames.clear();
    try {
        db::Recordset rs;
        rs.open(m_connection, QStringLiteral("SELECT * FROM Nazvy WHERE IdxByliny=") + QString::number(Idx) +
                                  QStringLiteral(" ORDER BY IdxJazyk"));
        if (rs.eof()) {
            report(8,
                   QStringLiteral(
                       "Nejsou k dispozici žádné údaje o názvech byliny, kontaktujte technickou podporu"),
                   QStringLiteral("Nelze načíst informace o názvech byliny"),
                   QStringLiteral("LUMO-FrmMain-NazvyByliny"), false);
            return;
        }
        const long langCount = static_cast<long>(m_languages.size());
        for (; !rs.eof(); rs.moveNext()) {
            const long language = rs.field(QStringLiteral("IdxJazyk")).toLong();
            // Language 1 is the Czech name the record takes from Byliny; the last one holds folk names.
            if (language > 1 && language < langCount) {
                const auto it = std::find_if(m_languages.begin(), m_languages.end(),
                                             [language](const auto& l) { return l.first == language; });
                if (it == m_languages.end())
                    continue;
                NamePos.push_back(static_cast<long>(it - m_languages.begin()) + 1);
                OtherNames.push_back(field(rs, "Nazev"));
            } else if (language == langCount) {
                FolkNames.push_back(field(rs, "Nazev"));
            }
        }
    } catch (...) {
        err::CaptureCurrentException();
        report(9, QStringLiteral("Nelze načíst informace o názvech byliny, kontaktujte technickou podporu"),
               QStringLiteral("Nelze načíst informace o podporovaných názvech byliny"),
               QStringLiteral("LUMO-FrmMain-NactiNazvyByliny-"), true);
    }
}

void HerbRecordComposer::NactiCeledByliny(long Idx) {
    CeledNazev.clear();
    CeledLatinsky.clear();
    try {
        db::Recordset rs;
        rs.open(m_connection, QStringLiteral("SELECT * FROM Celedi WHERE Idx=") + QString::number(Idx));
        if (!rs.eof()) {
            CeledNazev = field(rs, "Nazev");
            CeledLatinsky = field(rs, "Latinsky");
        }
    } catch (...) {
        err::CaptureCurrentException();
        report(30, QStringLiteral("Nelze načíst informace o čeledi, kontaktujte technickou podporu"),
               QStringLiteral("Nelze načíst informace o čeledi"),
               QStringLiteral("LUMO-FrmMain-NactiCeledByliny-"), true);
    }
}

QString HerbRecordComposer::SestavNazvy() const {
    const NamesStyle& s = m_settings.Names;
    const auto run = [this](const QString& text, bool bold, int size, int color, bool par = false) {
        return m_srv.RTFKod(text, bold, false, 2, size * 2, color, par);
    };
    const auto label = [&](const QString& text) { return run(text, true, s.SubTitleSize, s.SubTitleColor); };
    const auto name = [&](const QString& text, bool par = true) {
        return run(text, false, s.NameSize, s.NameColor, par);
    };
    QString r = QStringLiteral("\\qc ") + run(m_herbName, true, s.TitleSize, s.TitleColor, true) +
                QStringLiteral("\\li") + QString::number(s.LeftIndent) + QStringLiteral("\\ql\\par ");
    r += label(QStringLiteral("Český název: ")) + name(HerbNazev);
    r += label(QStringLiteral("Zkrácený název: ")) + name(HerbKratkyNaz);
    for (size_t i = 0; i < NamePos.size(); ++i)
        r += label(m_languages[static_cast<size_t>(NamePos[i] - 1)].second + QStringLiteral(": ")) +
             name(OtherNames[i]);
    r += QStringLiteral("\\par ") + label(QStringLiteral("Lidově: "));
    for (size_t i = 0; i < FolkNames.size(); ++i) {
        if (i + 1 < FolkNames.size())
            r += name(FolkNames[i] + QStringLiteral(", "), false);
        else
            r += name(FolkNames[i]) + QStringLiteral("\\par ");
    }
    // Without folk names the label still ends its line, so that the family keeps its own.
    if (FolkNames.empty())
        r += name(QString()) + QStringLiteral("\\par ");
    // No empty brackets where the family has no Latin name (or there is no family).
    const QString latin = CeledLatinsky.trimmed().isEmpty()
                              ? QString()
                              : QStringLiteral(" (") + CeledLatinsky + QStringLiteral(")");
    r += label(QStringLiteral("Čeleď: ")) + name(CeledNazev + latin) + QStringLiteral("\\par ");
    return r;
}

QString HerbRecordComposer::NactiClanek(long Idx) {
    m_scratch.clear();
    try {
        db::Recordset rs;
        rs.open(m_connection, QStringLiteral("SELECT * FROM Clanky WHERE IdxByliny=") + QString::number(Idx));
        if (!rs.eof())
            reportDamaged(52, QStringLiteral("LUMO-FrmMain-NactiClanek-"),
                          rtf::ReadRtf(field(rs, "Clanek"), m_scratch));
    } catch (...) {
        err::CaptureCurrentException();
        report(52, kHerbMessage, kHerbTitle, QStringLiteral("LUMO-FrmMain-NactiClanek-"), true);
    }
    return rtf::WriteRtf(m_scratch);
}

QString HerbRecordComposer::NactiText(long Idx, int Typ, int Indent) {
    m_scratch.clear();
    try {
        db::Recordset rs;
        rs.open(m_connection, QStringLiteral("SELECT * FROM Texty WHERE IdxByliny=") + QString::number(Idx) +
                                  QStringLiteral(" AND IdxTyp=") + QString::number(Typ));
        if (rs.eof())
            return QString();
        reportDamaged(5, QStringLiteral("LUMO-FrmMain-NactiText-"),
                      rtf::ReadRtf(field(rs, "Clanek"), m_scratch));
    } catch (...) {
        err::CaptureCurrentException();
        report(5, kHerbMessage, kHerbTitle, QStringLiteral("LUMO-FrmMain-NactiText-"), true);
        return QString();
    }
    if (m_settings.SafeText)
        appendBreak(m_scratch);
    setIndent(m_scratch, Indent);
    if (m_settings.EnableSegmentDef) {
        const SegmentSettings& seg = m_settings.Segments[Typ];
        const ui::PositionMap map(&m_scratch);
        // The heading runs up to its colon (the first character without one); the character
        // after the colon keeps its stored format.
        const int c = std::max(1, static_cast<int>(map.text().indexOf(u':')) + 1);
        mergeBoxRange(m_scratch, map, 0, c, sizeFormat(seg.TitleSize, true));
        mergeBoxRange(m_scratch, map, c + 1, map.length(), sizeFormat(seg.TextSize, false));
        if (m_settings.InsertLine)
            appendBreak(m_scratch);
    }
    const QString text = ui::PositionMap(&m_scratch).text();
    const qsizetype br = text.indexOf(kCrLf);
    if (br >= 0)
        m_captions[static_cast<size_t>(Typ)] = text.left(br);
    return m_settings.SafeText ? text : rtf::WriteRtf(m_scratch);
}

void HerbRecordComposer::PridejRTF(const QString& Rtf) {
    if (Rtf.isEmpty())
        return;
    QTextCursor c(&m_work);
    c.movePosition(QTextCursor::End);
    rtf::InsertRtf(c, Rtf);
}

void HerbRecordComposer::PridejText(const QString& Title, const QString& Body, int Typ, int Indent) {
    const SegmentSettings& seg = m_settings.Segments[Typ];
    QTextCursor c(&m_work);
    c.movePosition(QTextCursor::End);
    QTextBlockFormat block = c.blockFormat();
    setStartIndent(block, Indent);
    c.setBlockFormat(block);
    QTextCharFormat f = c.charFormat();
    rtf::SetFaceName(f, m_settings.FontName);
    f.merge(sizeFormat(seg.TitleSize, true));
    f.setForeground(ui::OleToColor(PaletteColor(seg.TitleColor)));
    c.insertText(Title, f);
    c.insertBlock();
    f.setFontWeight(QFont::Normal);
    if (seg.TextSize > 0)
        f.setFontPointSize(seg.TextSize);
    f.setForeground(ui::OleToColor(PaletteColor(seg.TextColor)));
    c.insertText(text::toLf(Body), f);
}

void HerbRecordComposer::applyFontName() {
    if (m_settings.FontName.trimmed().isEmpty())
        return;
    QTextCursor c(&m_work);
    c.select(QTextCursor::Document);
    QTextCharFormat f;
    rtf::SetFaceName(f, m_settings.FontName);
    c.mergeCharFormat(f);
}

bool HerbRecordComposer::highlight(const QString& findText, const KeepGoing& keepGoing) {
    const ui::PositionMap map(&m_work);
    const QString text = map.text();
    QTextCharFormat mark;
    mark.setForeground(ui::OleToColor(255));
    mark.setFontUnderline(true);
    // One edit for every occurrence: each change on its own would redo the paragraph's
    // layout, and a long paragraph with thousands of occurrences would take minutes.
    QTextCursor edit(&m_work);
    edit.beginEditBlock();
    const auto done = qScopeGuard([&edit] { edit.endEditBlock(); });
    for (qsizetype from = 0;;) {
        if (keepGoing && !keepGoing(-1))
            return false;
        const qsizetype at = text.indexOf(findText, from, Qt::CaseInsensitive);
        if (at < 0)
            return true;
        mergeBoxRange(m_work, map, static_cast<int>(at), static_cast<int>(at + findText.size()), mark);
        from = at + findText.size();
    }
}

} // namespace lumo
