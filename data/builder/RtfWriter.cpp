#include "data/builder/RtfWriter.h"

#include "platform/text/AnsiText.h"

#include <QHash>

#include <iterator>

namespace lumo::data {

namespace {

const QString kHeader = QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029"
                                       "{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial CE;}}\r\n"
                                       "{\\colortbl ;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}\r\n"
                                       "\\viewkind4\\uc1\\pard\\f0\\fs20");

struct Marker {
    QString token;
    const char* on;
    const char* off;
};

// Order matters only for scanning; the tokens never overlap.
const Marker kMarkers[] = {
    {QStringLiteral("**"), "\\b", "\\b0"},
    {QStringLiteral("//"), "\\i", "\\i0"},
    {QStringLiteral("__"), "\\cf2\\ul", "\\cf0\\ulnone"},
};

// The notation of one non-ASCII character; the code page conversion is slow,
// so each character is converted once.
QString escapeOne(char16_t u) {
    static QHash<char16_t, QString> cache;
    auto it = cache.constFind(u);
    if (it != cache.constEnd())
        return it.value();
    const QString one(QChar{u});
    QString rtf;
    if (text::isAnsiRepresentable(one)) {
        const auto byte = static_cast<unsigned char>(text::encodeAnsi(one).at(0));
        rtf = QStringLiteral("\\'%1").arg(byte, 2, 16, QLatin1Char('0'));
    } else {
        // \uc1: one fallback character follows the Unicode value.
        rtf = QStringLiteral("\\u%1?").arg(static_cast<qint16>(u));
    }
    cache.insert(u, rtf);
    return rtf;
}

} // namespace

RtfWriter::RtfWriter() = default;

QString RtfWriter::escape(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out.append(u'\\');
            out.append(c);
        } else if (u == u'\t') {
            out.append(QStringLiteral("\\tab "));
        } else if (u >= 0x20 && u < 0x7f) {
            out.append(c);
        } else if (u < 0x20) {
            continue; // control characters have no place in a paragraph
        } else {
            out.append(escapeOne(u));
        }
    }
    return out;
}

bool RtfWriter::checkMarkup(const QString& markup, QString* error) {
    for (const Marker& m : kMarkers) {
        if (markup.count(m.token) % 2 != 0) {
            if (error)
                *error = QStringLiteral("unbalanced %1 in: %2").arg(m.token, markup.left(60));
            return false;
        }
    }
    return true;
}

void RtfWriter::control(const QString& word) {
    m_pending.append(word);
}

void RtfWriter::text(const QString& plain) {
    if (plain.isEmpty())
        return;
    if (!m_pending.isEmpty()) {
        m_body.append(m_pending);
        m_body.append(u' ');
        m_pending.clear();
    }
    m_body.append(escape(plain));
}

void RtfWriter::endParagraph() {
    m_body.append(m_pending);
    m_pending.clear();
    m_body.append(QStringLiteral("\\par\r\n"));
}

void RtfWriter::title(const QString& text, int halfPoints) {
    control(QStringLiteral("\\qc\\b\\fs%1").arg(halfPoints));
    this->text(text);
    control(QStringLiteral("\\b0\\fs20"));
    endParagraph();
    control(QStringLiteral("\\pard"));
}

void RtfWriter::heading(const QString& text) {
    control(QStringLiteral("\\cf1\\b"));
    this->text(text);
    control(QStringLiteral("\\cf0\\b0"));
    endParagraph();
}

bool RtfWriter::paragraph(const QString& markup) {
    if (!checkMarkup(markup, &m_error))
        return false;
    bool state[std::size(kMarkers)] = {};
    QString run;
    QString linkText;
    for (qsizetype i = 0; i < markup.size(); ++i) {
        bool matched = false;
        for (size_t k = 0; k < std::size(kMarkers); ++k) {
            const Marker& m = kMarkers[k];
            if (QStringView(markup).mid(i, 2) != m.token)
                continue;
            // "//" inside a word such as a URL is not italics; we use none.
            text(run);
            run.clear();
            state[k] = !state[k];
            control(QString::fromLatin1(state[k] ? m.on : m.off));
            if (k == 2 && !state[k]) {
                m_links.append(linkText.trimmed());
                linkText.clear();
            }
            ++i;
            matched = true;
            break;
        }
        if (matched)
            continue;
        run.append(markup.at(i));
        if (state[2])
            linkText.append(markup.at(i));
    }
    text(run);
    endParagraph();
    return true;
}

QString RtfWriter::finish() {
    QString out = kHeader;
    // The first body control needs no delimiter; a text start does.
    if (!m_body.startsWith(u'\\'))
        out.append(u' ');
    out.append(m_body);
    out.append(QStringLiteral("}\r\n"));
    m_body.clear();
    m_pending.clear();
    return out;
}

bool isWellFormedRtf(const QString& rtf) {
    if (!rtf.startsWith(QStringLiteral("{\\rtf1")))
        return false;
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const QChar c = rtf.at(i);
        if (c == u'\\') {
            ++i; // an escaped character or the first letter of a control word
            continue;
        }
        if (c == u'{') {
            ++depth;
        } else if (c == u'}') {
            if (--depth < 0)
                return false;
            // Text after the outermost group is not part of the document.
            if (depth == 0 && !rtf.mid(i + 1).trimmed().isEmpty())
                return false;
        }
    }
    return depth == 0;
}

} // namespace lumo::data
