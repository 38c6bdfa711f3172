// The printing methods of CKelPrinter.
#include "print/CKelPrinter.h"

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/DialogPresenter.h"
#include "platform/ui/Units.h"
#include "print/DocumentFile.h"
#include "print/FileDialogs.h"
#include "print/MPrint.h"
#include "print/PrintEngine.h"
#include "print/Printers.h"
#include "print/frmView.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace lumo {

namespace {

PrintSettingsRecord& S() {
    return PrintSettings();
}

std::array<float, 4> margins() {
    return {S().LeftMargin, S().RightMargin, S().TopMargin, S().BottomMargin};
}

// Prints the lines of a text file within the margins, a new page when the next line would
// cross the bottom margin; lines longer than the width are cut at the right margin.
// opened: set once the job holds the output file.
void printLines(const QStringList& lines, const QString& fontName, float fontSize, const QString& pdf,
                bool& opened) {
    const std::unique_ptr<QPrinter> pdfJob = pdf.isEmpty() ? nullptr : print::PdfJobPrinter(pdf);
    QPrinter& printer = pdfJob ? *pdfJob : print::CurrentPrinter();
    QPainter painter;
    if (!painter.begin(&printer))
        err::Raise(err::errDeviceUnavailable, QString(), QStringLiteral("Tiskárnu nelze otevřít"));
    opened = true;
    QFont font(fontName);
    font.setPointSizeF(fontSize > 0 ? fontSize : 10);
    painter.setFont(font);
    const double dpmm = printer.logicalDpiX() / 25.4, dpmmY = printer.logicalDpiY() / 25.4;
    const print::PrinterGeometry g = print::GeometryOf(printer);
    const double mmWidth = g.width / 1440.0 * 25.4, mmHeight = g.height / 1440.0 * 25.4;
    const QRectF area(S().LeftMargin * dpmm, S().TopMargin * dpmmY,
                      (mmWidth - S().LeftMargin - S().RightMargin) * dpmm,
                      (mmHeight - S().TopMargin - S().BottomMargin) * dpmmY);
    if (area.width() <= 0 || area.height() <= 0)
        err::Raise(err::errInvalidCall, QString(),
                   QStringLiteral("Okraje stránky nenechávají místo pro text, zmenšete je"));
    const QFontMetricsF fm(font, &printer);
    double y = area.top();
    painter.setClipRect(area);
    for (const QString& line : lines) {
        if (y + fm.height() > area.bottom() + 0.5 && y > area.top()) {
            if (!printer.newPage())
                err::Raise(err::errDeviceIo, QString(), QStringLiteral("Tiskárna nepřijala další stránku"));
            y = area.top();
        }
        painter.drawText(QPointF(area.left(), y + fm.ascent()), line);
        y += fm.height();
    }
    if (!painter.end())
        err::Raise(err::errDeviceIo, QString(), QStringLiteral("Tisk se nepodařilo dokončit"));
    if (pdfJob)
        print::CheckPdfWritten(pdf);
}

} // namespace

int CKelPrinter::PrintFile(const QString& FileName, const QString& FontName, float FontSize) {
    QString pdf;
    bool opened = false;
    try {
        QString text;
        QString error;
        if (!text::readAnsiFile(FileName, text, &error))
            err::Raise(err::errFileNotFound, QString(),
                       error.isEmpty() ? QStringLiteral("File not found") : error);
        QStringList lines = text::toLf(text).split(u'\n');
        if (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
        if (print::CurrentIsPdf()) {
            pdf = print::PdfJobFile(S().UsedForm.data());
            if (pdf.isEmpty())
                return 1; // the user chose not to print
        }
        printLines(lines, FontName, FontSize, pdf, opened);
        return 1;
    } catch (...) {
        const err::ErrorRecord e = err::CaptureCurrentException();
        if (!print::CurrentIsPdf())
            print::CurrentPrinter().abort();
        if (opened && !pdf.isEmpty())
            QFile::remove(pdf);
        err::Raise(err::vbObjectError + 601, QStringLiteral("KelVBLib-CKelPrinter-PrintFile"),
                   QStringLiteral("Nelze vytisknout soubor ") + FileName + QStringLiteral("\r\nSystem: ") +
                       e.Description);
    }
}

int CKelPrinter::PrintPreview(const QString& Text, bool ViewOption, bool PlainText, const QString& FontName,
                              float FontSize) {
    print::frmView form(true);
    form.PrepareDocument(Text, PlainText, FontName, FontSize);
    S().DirectPrint = false;
    form.rtfView->setLocked(!ViewOption);
    ui::DialogPresenter::exec(form);
    return S().PrintResult;
}

int CKelPrinter::PrintDoc(const QString& Text, bool PlainText, const QString& FontName, float FontSize) {
    StartPrintJob();
    print::PrintEngine engine;
    engine.PrepareDocument(Text, PlainText, FontName, FontSize);
    S().DirectPrint = true;
    engine.NastavOkraje(margins());
    if (!engine.PripravNahled())
        return S().PrintResult;
    const int count = S().PageCount;
    const int start = std::max(std::min<int>(S().FromPage, count), 1);
    const int end = std::max(std::min<int>(S().ToPage, count), start);
    switch (engine.PrintRTF(start, end)) {
    case print::PrintEngine::Outcome::Printed:
        return 1;
    case print::PrintEngine::Outcome::Cancelled:
        return 0;
    case print::PrintEngine::Outcome::Failed:
        break;
    }
    return S().PrintResult;
}

int CKelPrinter::SavePreview(const QString& Text, QString& FileName, const QVariant&, bool PlainText,
                             const QString& FontName, float FontSize) {
    StartPrintJob(); // as loading the preview form does
    print::PrintEngine engine;
    engine.PrepareDocument(Text, PlainText, FontName, FontSize);
    return print::SaveDocument(engine.document(), FileName, PlainText) ? 1 : 0;
}

} // namespace lumo
