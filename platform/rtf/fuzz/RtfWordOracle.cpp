#include "platform/rtf/fuzz/RtfWordOracle.h"

#include <QTextBlock>
#include <QTextDocument>

#include <iterator>

namespace lumo::rtf::fuzz {

ChoiceSource::ChoiceSource(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {
    // FNV-1a of the input seeds the choices made after its bytes run out.
    m_state = 1469598103934665603ULL;
    for (std::size_t i = 0; i < size; ++i)
        m_state = (m_state ^ data[i]) * 1099511628211ULL;
}

unsigned ChoiceSource::pick(unsigned n) {
    if (n <= 1)
        return 0;
    if (m_pos < m_size)
        return m_data[m_pos++] % n;
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return unsigned((m_state >> 33) % n);
}

namespace {

// Words inside skipped destinations and after the end start with "hid"; they must never show.
const char* const kFormats[] = {"\\b",      "\\b0",    "\\i",          "\\i0",     "\\ul",
                                "\\ulnone", "\\fs18",  "\\fs28",       "\\cf1",    "\\cf2",
                                "\\plain",  "\\pard",  "\\qc",         "\\li360",  "\\f1",
                                "\\f0",     "\\super", "\\nosupersub", "\\strike", "\\highlight2"};
const char* const kBreaks[] = {"\\par", "\\line", "\\tab", "\\~", "\\cell", "\\page", "\\sect"};
const char* const kUnknown[] = {"\\foo", "\\zz12", "\\cs7", "\\lang1029", "\\sl-240\\slmult1", "\\rtlch"};

class Generator {
public:
    explicit Generator(ChoiceSource& choices) : m_c(choices) {}

    OracleDocument run() {
        m_out =
            QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial CE;}"
                           "{\\f1\\froman\\fcharset238 Times New Roman CE;}}"
                           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n");
        items(2 + int(m_c.pick(12)), 0, true);
        m_out += u'}';
        tail();
        return OracleDocument{m_out, m_words};
    }

private:
    QString number() { return QString::number(++m_counter); }

    // A kept word in one of the ways a document may write it.
    void word() {
        const QString n = number();
        QString rtf, text;
        switch (m_c.pick(5)) {
        case 0:
            rtf = QStringLiteral("w") + n;
            text = rtf;
            break;
        case 1:
            rtf = QStringLiteral("\\'e8") + n;
            text = QStringLiteral("č") + n;
            break;
        case 2:
            rtf = QStringLiteral("\\u269?") + n;
            text = QStringLiteral("č") + n;
            break;
        case 3:
            rtf = QStringLiteral("ž") + n; // a literal byte, read as Windows-1250
            text = rtf;
            break;
        default:
            rtf = QStringLiteral("a\\{") + n + QStringLiteral("\\}");
            text = QStringLiteral("a{") + n + u'}';
            break;
        }
        m_out += u' ' + rtf + u' ';
        m_words << text;
    }

    QString hidden() { return QStringLiteral(" hid") + number() + u' '; }

    template <std::size_t N> void oneOf(const char* const (&list)[N]) {
        m_out += QString::fromLatin1(list[m_c.pick(unsigned(N))]) + u' ';
    }

    // A destination whose text is not the document's.
    void skipped() {
        switch (m_c.pick(6)) {
        case 0:
            m_out += QStringLiteral("{\\*\\xunknown") + hidden() + u'}';
            break;
        case 1:
            m_out += QStringLiteral("{\\pict\\pngblip\\picw10") + hidden() + QStringLiteral("89504e47}");
            break;
        case 2:
            m_out += QStringLiteral("{\\info{\\title") + hidden() + QStringLiteral("}{\\author") + hidden() +
                     QStringLiteral("}}");
            break;
        case 3:
            m_out +=
                QStringLiteral("{\\field{\\*\\fldinst HYPERLINK") + hidden() + QStringLiteral("}{\\fldrslt");
            word();
            m_out += QStringLiteral("}}");
            break;
        case 4:
            m_out += QStringLiteral("{\\*\\generator") + hidden() + QStringLiteral("\\'e8;}");
            break;
        default:
            m_out += QStringLiteral("{\\pict\\bin4 {}{}") + hidden() + u'}';
            break;
        }
    }

    // A star inside a group, not after its brace: it makes nothing optional.
    void midGroupStar(int depth) {
        m_out += QStringLiteral("{\\b0\\*\\cs7");
        items(1 + int(m_c.pick(3)), depth + 1, false);
        m_out += u'}';
    }

    void group(int depth) {
        m_out += u'{';
        if (m_c.chance(50))
            oneOf(kFormats);
        items(1 + int(m_c.pick(4)), depth + 1, false);
        m_out += u'}';
    }

    // A chain of groups past the reader's depth limit, with formats, kept and skipped
    // groups inside, and words on the way in and out.
    void deepChain(int depth) {
        const int levels = 190 + int(m_c.pick(80));
        for (int i = 0; i < levels; ++i) {
            m_out += u'{';
            if (m_c.chance(30))
                oneOf(kFormats);
            if (m_c.chance(15))
                word();
        }
        items(3 + int(m_c.pick(6)), depth + levels, false);
        for (int i = 0; i < levels; ++i) {
            m_out += u'}';
            if (m_c.chance(15))
                word();
        }
    }

    void items(int count, int depth, bool allowDeep) {
        for (int i = 0; i < count; ++i) {
            switch (m_c.pick(9)) {
            case 0:
            case 1:
                word();
                break;
            case 2:
                oneOf(kFormats);
                break;
            case 3:
                oneOf(kBreaks);
                break;
            case 4:
                if (!m_out.endsWith(u'{'))
                    m_out += QStringLiteral("\\*");
                oneOf(kUnknown);
                break;
            case 5:
                skipped();
                break;
            case 6:
                midGroupStar(depth);
                break;
            case 7:
                if (allowDeep && !m_deepDone && m_c.chance(40)) {
                    m_deepDone = true;
                    deepChain(depth);
                } else if (depth < 8) {
                    group(depth);
                }
                break;
            default:
                if (depth < 8)
                    group(depth);
                break;
            }
        }
    }

    // What may follow a stored document: blanks, junk, a second document, a stray brace.
    void tail() {
        switch (m_c.pick(5)) {
        case 0:
            m_out += QStringLiteral("\r\n");
            break;
        case 1:
            m_out += hidden() + QStringLiteral("ďż˝8$DM");
            break;
        case 2:
            m_out += QStringLiteral("{\\rtf1") + hidden() + u'}';
            break;
        case 3:
            m_out += u'}' + hidden();
            break;
        default:
            break;
        }
    }

    ChoiceSource& m_c;
    QString m_out;
    QStringList m_words;
    int m_counter = 0;
    bool m_deepDone = false;
};

} // namespace

OracleDocument GenerateOracleDocument(ChoiceSource& choices) {
    return Generator(choices).run();
}

QStringList WordsOf(const QTextDocument& doc) {
    QStringList words;
    QString current;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (QChar c : b.text() + u'\n') {
            if (!c.isSpace()) {
                current += c;
            } else if (!current.isEmpty()) {
                words << current;
                current.clear();
            }
        }
    }
    return words;
}

QString CompareWords(const QStringList& expected, const QStringList& read) {
    for (qsizetype i = 0; i < qMax(expected.size(), read.size()); ++i) {
        const QString want = i < expected.size() ? expected[i] : QStringLiteral("(end)");
        const QString got = i < read.size() ? read[i] : QStringLiteral("(end)");
        if (want != got)
            return QStringLiteral("word %1: expected \"%2\", read \"%3\"").arg(i + 1).arg(want, got);
    }
    return {};
}

} // namespace lumo::rtf::fuzz
