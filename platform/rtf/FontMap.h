#pragma once

#include <QString>
#include <QTextFormat>

class QTextCharFormat;

// Windows face names on the installed fonts.
//
// A character format read from RTF carries the installed substitute as its font family and
// the Windows face name in FaceNameProperty, so that the writer (and SelFontName-like
// queries) give "Arial CE" back while Qt draws with Liberation Sans.
namespace lumo::rtf {

enum FontProperty : int {
    FaceNameProperty = QTextFormat::UserProperty + 0x5210, // QString, e.g. "Arial CE"
    FaceAltNameProperty,                                   // QString, the \*\fname, e.g. "Arial"
    FaceCharsetProperty,                                   // int, the \fcharset (238, 204, 2, ...)
    FaceFamilyProperty,                                    // QString, "swiss", "roman", ...
};

// The charset of a face set by name rather than read from a font table.
constexpr int kNoCharset = -1;

// The installed font that stands in for a Windows face name ("Arial CE" -> "Liberation Sans").
// Unknown names come back unchanged, for fontconfig to resolve.
QString SubstituteFont(const QString& windowsFontName);

// The Windows face name of a character format: the original name while the format still
// uses its substitute, else the format's own font family ("" when it sets none).
QString FaceName(const QTextCharFormat& format);

// Sets a format's font by Windows face name: the substitute as font family, the name kept,
// and the alternative name, charset and family of any earlier face blanked.
void SetFaceName(QTextCharFormat& format, const QString& windowsFontName);

} // namespace lumo::rtf
