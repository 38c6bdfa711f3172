#include "platform/rtf/Charsets.h"

#include "platform/text/AnsiText.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QStringDecoder>

#include <array>
#include <map>
#include <vector>

namespace lumo::rtf {

namespace {

constexpr int kFirstCodePage = 1250;
constexpr int kLastCodePage = 1258;
constexpr int kTableCount = kLastCodePage - kFirstCodePage + 1;

using ByteTable = std::array<char16_t, 256>;

// Adobe Symbol encoding, 0x20 to 0xFF; 0 marks bytes without a character.
constexpr char16_t kSymbol[224] = {
    // 0x20
    0x0020,
    0x0021,
    0x2200,
    0x0023,
    0x2203,
    0x0025,
    0x0026,
    0x220B,
    0x0028,
    0x0029,
    0x2217,
    0x002B,
    0x002C,
    0x2212,
    0x002E,
    0x002F,
    // 0x30
    0x0030,
    0x0031,
    0x0032,
    0x0033,
    0x0034,
    0x0035,
    0x0036,
    0x0037,
    0x0038,
    0x0039,
    0x003A,
    0x003B,
    0x003C,
    0x003D,
    0x003E,
    0x003F,
    // 0x40
    0x2245,
    0x0391,
    0x0392,
    0x03A7,
    0x0394,
    0x0395,
    0x03A6,
    0x0393,
    0x0397,
    0x0399,
    0x03D1,
    0x039A,
    0x039B,
    0x039C,
    0x039D,
    0x039F,
    // 0x50
    0x03A0,
    0x0398,
    0x03A1,
    0x03A3,
    0x03A4,
    0x03A5,
    0x03C2,
    0x03A9,
    0x039E,
    0x03A8,
    0x0396,
    0x005B,
    0x2234,
    0x005D,
    0x22A5,
    0x005F,
    // 0x60
    0x203E,
    0x03B1,
    0x03B2,
    0x03C7,
    0x03B4,
    0x03B5,
    0x03C6,
    0x03B3,
    0x03B7,
    0x03B9,
    0x03D5,
    0x03BA,
    0x03BB,
    0x03BC,
    0x03BD,
    0x03BF,
    // 0x70
    0x03C0,
    0x03B8,
    0x03C1,
    0x03C3,
    0x03C4,
    0x03C5,
    0x03D6,
    0x03C9,
    0x03BE,
    0x03C8,
    0x03B6,
    0x007B,
    0x007C,
    0x007D,
    0x223C,
    0,
    // 0x80, 0x90
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    // 0xA0
    0x20AC,
    0x03D2,
    0x2032,
    0x2264,
    0x2044,
    0x221E,
    0x0192,
    0x2663,
    0x2666,
    0x2665,
    0x2660,
    0x2194,
    0x2190,
    0x2191,
    0x2192,
    0x2193,
    // 0xB0
    0x00B0,
    0x00B1,
    0x2033,
    0x2265,
    0x00D7,
    0x221D,
    0x2202,
    0x2022,
    0x00F7,
    0x2260,
    0x2261,
    0x2248,
    0x2026,
    0x23D0,
    0x23AF,
    0x21B5,
    // 0xC0
    0x2135,
    0x2111,
    0x211C,
    0x2118,
    0x2297,
    0x2295,
    0x2205,
    0x2229,
    0x222A,
    0x2283,
    0x2287,
    0x2284,
    0x2282,
    0x2286,
    0x2208,
    0x2209,
    // 0xD0
    0x2220,
    0x2207,
    0x00AE,
    0x00A9,
    0x2122,
    0x220F,
    0x221A,
    0x22C5,
    0x00AC,
    0x2227,
    0x2228,
    0x21D4,
    0x21D0,
    0x21D1,
    0x21D2,
    0x21D3,
    // 0xE0
    0x25CA,
    0x2329,
    0x00AE,
    0x00A9,
    0x2122,
    0x2211,
    0x239B,
    0x239C,
    0x239D,
    0x23A1,
    0x23A2,
    0x23A3,
    0x23A7,
    0x23A8,
    0x23A9,
    0x23AA,
    // 0xF0
    0,
    0x232A,
    0x222B,
    0x2320,
    0x23AE,
    0x2321,
    0x239E,
    0x239F,
    0x23A0,
    0x23A4,
    0x23A5,
    0x23A6,
    0x23AB,
    0x23AC,
    0x23AD,
    0,
};

// The converter name of a Windows code page; ICU knows most of them as "windows-N",
// a few OEM pages only as "cpN".
QStringDecoder decoderFor(int codePage) {
    if (codePage == 65001)
        return QStringDecoder(QStringDecoder::Utf8);
    QStringDecoder decoder(QByteArray("windows-") + QByteArray::number(codePage));
    if (!decoder.isValid())
        decoder = QStringDecoder(QByteArray("cp") + QByteArray::number(codePage));
    return decoder;
}

bool isMultiByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 || codePage == 1361 ||
           codePage == 65001;
}

bool decodable(int codePage) {
    return codePage == kDefaultCodePage || codePage == kSymbolCodePage || decoderFor(codePage).isValid();
}

ByteTable buildTable(int codePage) {
    ByteTable table{};
    for (int b = 0; b < 128; ++b)
        table[b] = char16_t(b);
    QByteArray high(128, '\0');
    for (int b = 0; b < 128; ++b)
        high[b] = char(128 + b);
    QString text;
    if (codePage == kDefaultCodePage) {
        text = lumo::text::decodeAnsi(high);
    } else {
        QStringDecoder decoder = decoderFor(codePage);
        if (decoder.isValid())
            text = decoder.decode(high);
    }
    for (int b = 128; b < 256; ++b) {
        // Bytes a code page leaves undefined keep their own value, as Windows converts them.
        char16_t c = char16_t(b);
        if (text.size() == 128 && text.at(b - 128) != QChar::ReplacementCharacter)
            c = text.at(b - 128).unicode();
        table[b] = c;
    }
    return table;
}

// Byte tables of the single-byte code pages, made from the converters on first use.
const ByteTable& tableOf(int codePage) {
    static const std::vector<ByteTable> windows = [] {
        std::vector<ByteTable> t;
        t.reserve(kTableCount);
        for (int cp = kFirstCodePage; cp <= kLastCodePage; ++cp)
            t.push_back(buildTable(cp));
        return t;
    }();
    if (codePage >= kFirstCodePage && codePage <= kLastCodePage)
        return windows[codePage - kFirstCodePage];
    static QMutex mutex;
    static std::map<int, ByteTable> others;
    const QMutexLocker lock(&mutex);
    auto it = others.find(codePage);
    if (it == others.end())
        it = others.emplace(codePage, buildTable(codePage)).first;
    return it->second;
}

const std::vector<qint16>& cp1250Encoding() {
    static const std::vector<qint16> reverse = [] {
        std::vector<qint16> r(0x10000, qint16(-1));
        const ByteTable& t = tableOf(kDefaultCodePage);
        for (int b = 0; b < 256; ++b)
            r[t[b]] = qint16(b);
        return r;
    }();
    return reverse;
}

} // namespace

int CodePageOfCharset(int charset, int ansiCodePage) {
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return kSymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return ansiCodePage;
    }
}

int SupportedCodePage(int codePage) {
    static QMutex mutex;
    static std::map<int, bool> known;
    const QMutexLocker lock(&mutex);
    auto it = known.find(codePage);
    if (it == known.end())
        it = known.emplace(codePage, codePage > 0 && decodable(codePage)).first;
    return it->second ? codePage : kDefaultCodePage;
}

bool IsMultiByteCodePage(int codePage) {
    return isMultiByte(codePage);
}

QChar DecodeByte(int codePage, unsigned char byte) {
    if (codePage == kSymbolCodePage)
        return SymbolToUnicode(QChar(byte));
    if (byte < 0x80)
        return QChar(byte);
    if (codePage < kFirstCodePage || codePage > kLastCodePage)
        codePage = SupportedCodePage(codePage);
    if (isMultiByte(codePage))
        return QChar(QChar::ReplacementCharacter);
    return QChar(tableOf(codePage)[byte]);
}

QString DecodeBytes(int codePage, QByteArrayView bytes) {
    codePage = SupportedCodePage(codePage);
    if (!isMultiByte(codePage)) {
        QString text;
        text.reserve(bytes.size());
        for (char b : bytes)
            text += DecodeByte(codePage, uchar(b));
        return text;
    }
    QStringDecoder decoder = decoderFor(codePage);
    return decoder.decode(bytes);
}

QChar SymbolToUnicode(QChar c) {
    char16_t u = c.unicode();
    if (u >= 0xF020 && u <= 0xF0FF)
        u -= 0xF000;
    else if (u >= 0x100 || u < 0x20)
        return c;
    const char16_t mapped = kSymbol[u - 0x20];
    return QChar(mapped ? mapped : char16_t(0xF000 + u));
}

int EncodeCp1250(QChar c) {
    return cp1250Encoding()[c.unicode()];
}

} // namespace lumo::rtf
