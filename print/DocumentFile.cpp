#include "print/DocumentFile.h"

#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "print/FileDialogs.h"

namespace lumo::print {

QByteArray PlainTextBytes(const QString& text) {
    const QString crlf = text::toCrLf(text);
    if (text::isAnsiRepresentable(crlf))
        return text::encodeAnsi(crlf);
    return QByteArray("\xEF\xBB\xBF") + crlf.toUtf8();
}

void WriteDocumentFile(const ui::RichTextBox& box, const QString& path, bool plainText) {
    if (IsProtectedFile(path))
        err::Raise(err::errPermissionDenied, QString(),
                   QStringLiteral("Do souboru databáze bylin nelze ukládat"));
    // The RTF writer gives 7-bit text.
    const QByteArray bytes = plainText ? PlainTextBytes(box.Text()) : text::encodeAnsi(box.TextRTF());
    // Replaced whole; a folder that takes no new file still lets a writable file be rewritten.
    QString error;
    if (!text::writeFileBytes(path, bytes, &error))
        err::Raise(err::errPathFileAccess, QString(), error);
}

bool SaveDocument(const ui::RichTextBox& box, const QString& path, bool plainText) {
    try {
        WriteDocumentFile(box, path, plainText);
        return true;
    } catch (...) {
        const err::ErrorRecord& e = err::CaptureCurrentException();
        if (App().ErrObj)
            App().ErrObj->ErrView(605,
                                  err::SystemText(QStringLiteral("Nelze uložit náhled do souboru ") + path, e,
                                                  QStringLiteral("-")),
                                  QStringLiteral("KelVBLib - chyba číslo 605"),
                                  QStringLiteral("KelVBLib - CKelPrinter - frmView - UlozNahled"));
        return false;
    }
}

} // namespace lumo::print
