#include "platform/rtf/FontMap.h"

#include <QHash>
#include <QTextCharFormat>

namespace lumo::rtf {

namespace {

const QString kSans = QStringLiteral("Liberation Sans");
const QString kSerif = QStringLiteral("Liberation Serif");
const QString kMono = QStringLiteral("Liberation Mono");
const QString kDejaVu = QStringLiteral("DejaVu Sans");

// Keys are lower case and without the script suffix (" CE", " Cyr", ...).
const QHash<QString, QString>& substitutes() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("arial"), kSans},
        {QStringLiteral("helvetica"), kSans},
        {QStringLiteral("times new roman"), kSerif},
        {QStringLiteral("times"), kSerif},
        {QStringLiteral("courier new"), kMono},
        {QStringLiteral("courier"), kMono},
        {QStringLiteral("ms sans serif"), kDejaVu},
        {QStringLiteral("microsoft sans serif"), kDejaVu},
        {QStringLiteral("ms shell dlg"), kDejaVu},
        {QStringLiteral("ms shell dlg 2"), kDejaVu},
        {QStringLiteral("tahoma"), kDejaVu},
        {QStringLiteral("verdana"), kDejaVu},
        {QStringLiteral("segoe ui"), kDejaVu},
        // Symbol text is decoded to real Unicode characters, which DejaVu covers.
        {QStringLiteral("symbol"), kDejaVu},
    };
    return table;
}

// Windows lists the same face under script names: "Arial CE", "Times New Roman Cyr".
QString withoutScriptSuffix(const QString& name) {
    static const char* const kSuffixes[] = {" ce", " cyr", " greek", " tur", " baltic"};
    for (const char* suffix : kSuffixes) {
        const QString s = QString::fromLatin1(suffix);
        if (name.endsWith(s))
            return name.left(name.size() - s.size());
    }
    return name;
}

QString formatFamily(const QTextCharFormat& format) {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

} // namespace

QString SubstituteFont(const QString& windowsFontName) {
    const QString key = windowsFontName.trimmed().toLower();
    const auto& table = substitutes();
    auto it = table.constFind(key);
    if (it == table.constEnd())
        it = table.constFind(withoutScriptSuffix(key));
    return it == table.constEnd() ? windowsFontName.trimmed() : it.value();
}

QString FaceName(const QTextCharFormat& format) {
    const QString family = formatFamily(format);
    const QString face = format.stringProperty(FaceNameProperty);
    if (face.isEmpty())
        return family;
    // A font chosen later through Qt leaves the old name behind; it no longer applies.
    const QString alt = format.stringProperty(FaceAltNameProperty);
    if (SubstituteFont(face) == family || (!alt.isEmpty() && SubstituteFont(alt) == family))
        return face;
    return family;
}

void SetFaceName(QTextCharFormat& format, const QString& windowsFontName) {
    const QString face = windowsFontName.trimmed();
    format.setFontFamilies(QStringList{SubstituteFont(face)});
    format.setProperty(FaceNameProperty, face);
    // Blank rather than absent: merged over text read from RTF, the format must also replace
    // the old face's alternative name, or a reader would draw the old face's stand-in again.
    format.setProperty(FaceAltNameProperty, QString());
    format.setProperty(FaceCharsetProperty, kNoCharset);
    format.setProperty(FaceFamilyProperty, QString());
}

} // namespace lumo::rtf
