#include "library/CKelSrv.h"

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"

#include <array>

namespace lumo {

namespace {

constexpr int kTableSize = 62;

QString byteTable(const char (&bytes)[kTableSize + 1]) {
    return text::decodeAnsi(QByteArray(bytes, kTableSize));
}

// The four tables of Czech letters at the same positions; 852 and Kamenický are held as
// the Windows-1250 characters of their bytes, as such text arrives when read from a file.
const std::array<QString, 4>& codePageTables() {
    static const std::array<QString, 4> tables = {
        byteTable("\x61\xA0\xB5\x65\x82\x90\xD8\xB7\x69\xA1\xD6\x6F\xA2\xE0\x75\xA3\xE9\x85\xDE\x79\xEC"
                  "\xED\x7C\x63\x9F\xAC\x64\xD4\xD2\x6C\x96\x95\x6E\xE5\xD5\x72\xFD\xFC\x73\xE7\xE6\x74"
                  "\x9C\x9B\x7A\xA7\xA6\x7C\x84\x89\x94\x81\x8E\xD3\x99\x9A\xE1\xCD\xC4\xBA\xB3\xC5"),
        QStringLiteral("aáÁeéÉěĚiíÍoóÓuúÚůŮyýÝ|cčČdďĎlľĽnňŇrřŘsšŠtťŤzžŽ|äëöüÄËÖÜß=-||+"),
        byteTable("\x61\xA0\x8F\x65\x82\x90\x88\x89\x69\xA1\x8B\x6F\xA2\x95\x75\xA3\x97\x96\xA6\x79\x98"
                  "\x9D\x7C\x63\x87\x80\x64\x83\x85\x6C\x8C\x9C\x6E\xA4\xA5\x72\xA9\x9E\x73\xA8\x9B\x74"
                  "\x9F\x86\x7A\x91\x92\x7C\x84\x89\x94\x81\x8E\xD3\x99\x9A\xE1\xCD\xC4\xBA\xB3\xC5"),
        // ß becomes "s" in plain letters.
        QStringLiteral("aaAeeEeEiiIooOuuUuUyyY|ccCddDllLnnNrrRssSttTzzZ|aeouAEOUs=-||+"),
    };
    return tables;
}

constexpr long kMinLong = -2147483647L - 1;
constexpr long kMaxLong = 2147483647L;

quint32 bitMask(long value, long bit) {
    if (bit < 0 || bit > 31 || value < kMinLong || value > kMaxLong)
        err::Raise(err::errOverflow);
    return quint32(1) << bit;
}

long asLong(quint32 bits) {
    return static_cast<long>(static_cast<qint32>(bits));
}

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isText(const QVariant& v) {
    return v.typeId() == QMetaType::QString;
}

// Negative when a is below b. A text that holds a number compares with a number
// numerically; otherwise a number is below any text.
int compareValues(const QVariant& a, const QVariant& b) {
    if (isText(a) && isText(b))
        return a.toString().compare(b.toString());
    if ((isNumber(a) || isText(a)) && (isNumber(b) || isText(b))) {
        bool okA = false;
        bool okB = false;
        const double x = a.toDouble(&okA);
        const double y = b.toDouble(&okB);
        if (okA && okB)
            return x < y ? -1 : (x > y ? 1 : 0);
        return isNumber(a) ? -1 : 1;
    }
    const QPartialOrdering o = QVariant::compare(a, b);
    if (o == QPartialOrdering::Less)
        return -1;
    return o == QPartialOrdering::Greater ? 1 : 0;
}

QVariant pick(const QVariantList& values, int sign) {
    if (values.isEmpty())
        err::Raise(err::errSubscript);
    QVariant best = values.front();
    for (qsizetype i = 1; i < values.size(); ++i) {
        if (compareValues(values.at(i), best) * sign > 0)
            best = values.at(i);
    }
    return best;
}

} // namespace

void CKelSrv::RGBColors(long Color, long& Red, long& Green, long& Blue) const {
    Blue = Color / 65536;
    Green = (Color % 65536) / 256;
    Red = Color - 65536 * Blue - 256 * Green;
}

QString CKelSrv::ChangeCodePage(const QString& Text, int FromCP, int ToCP) const {
    if (FromCP < 0 || FromCP > 3 || ToCP < 0 || ToCP > 3)
        return Text;
    const QString& from = codePageTables()[FromCP];
    const QString& to = codePageTables()[ToCP];
    QString out = Text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        // Plain ASCII is the same in all four code pages; translating it would turn
        // capitals into accented letters and "=", "-", "+" into box lines.
        if (out.at(i).unicode() < 0x80)
            continue;
        const qsizetype at = from.indexOf(out.at(i));
        if (at >= 0)
            out[i] = to.at(at);
    }
    return out;
}

bool CKelSrv::CB(int Value) const {
    return Value == 1;
}

int CKelSrv::CC(bool Value) const {
    return Value ? 1 : 0;
}

long CKelSrv::IBSET(long Value, long Bit) const {
    return asLong(quint32(Value) | bitMask(Value, Bit));
}

long CKelSrv::IBCLR(long Value, long Bit) const {
    return asLong(quint32(Value) & ~bitMask(Value, Bit));
}

long CKelSrv::IBCHNG(long Value, long Bit) const {
    return BTEST(Value, Bit) ? IBCLR(Value, Bit) : IBSET(Value, Bit);
}

bool CKelSrv::BTEST(long Value, long Bit) const {
    return (quint32(Value) & bitMask(Value, Bit)) != 0;
}

QVariant CKelSrv::Max(const QVariantList& Values) const {
    return pick(Values, 1);
}

QVariant CKelSrv::Min(const QVariantList& Values) const {
    return pick(Values, -1);
}

QString CKelSrv::NumToString(long Number, long Base) const {
    if (Base == 0)
        err::Raise(err::errDivisionByZero);
    // Base 1 would never reach 0.
    if (Base < 2)
        err::Raise(err::errInvalidCall);
    // The magnitude is unsigned, so the most negative number has one too.
    const bool negative = Number < 0;
    quint64 value = negative ? 0 - static_cast<quint64>(Number) : static_cast<quint64>(Number);
    const auto base = static_cast<quint64>(Base);
    QString out;
    do {
        const quint64 digit = value % base;
        out.prepend(QChar(char16_t(u'0' + digit + (digit > 9 ? 7 : 0))));
        value /= base;
    } while (value != 0);
    return negative ? u'-' + out : out;
}

} // namespace lumo
