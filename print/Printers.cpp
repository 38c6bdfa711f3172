#include "print/Printers.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>
#include <utility>

namespace lumo::print {

namespace {

QString& pdfOutput() {
    static QString path;
    return path;
}

QString& nextPdf() {
    static QString path;
    return path;
}

// Paper and resolution every printer of the program starts with.
void setDefaults(QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

void makePdf(QPrinter& printer) {
    printer.setPrinterName(QString());
    printer.setOutputFormat(QPrinter::PdfFormat);
    setDefaults(printer);
}

std::unique_ptr<QPrinter> makeCurrent() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QPrinterInfo def = QPrinterInfo::defaultPrinter();
    if (!def.isNull()) {
        printer->setPrinterName(def.printerName());
        setDefaults(*printer);
    } else {
        makePdf(*printer);
    }
    return printer;
}

} // namespace

QString PdfPrinterName() {
    return QStringLiteral("PDF");
}

std::vector<InstalledPrinter> InstalledPrinters() {
    std::vector<InstalledPrinter> list;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        list.push_back({info.printerName(), info.makeAndModel(), 1, false});
    list.push_back({PdfPrinterName(), QStringLiteral("PDF"), 1, true});
    return list;
}

QPrinter& CurrentPrinter() {
    static std::unique_ptr<QPrinter> printer = makeCurrent();
    return *printer;
}

bool CurrentIsPdf() {
    return CurrentPrinter().outputFormat() == QPrinter::PdfFormat;
}

QString CurrentPrinterName() {
    return CurrentIsPdf() ? PdfPrinterName() : CurrentPrinter().printerName();
}

bool SelectPrinter(const QString& deviceName) {
    for (const InstalledPrinter& p : InstalledPrinters()) {
        if (p.DeviceName != deviceName)
            continue;
        QPrinter& printer = CurrentPrinter();
        const QPageLayout layout = printer.pageLayout();
        if (p.Pdf) {
            makePdf(printer);
        } else {
            printer.setPrinterName(p.DeviceName);
            printer.setFullPage(true);
        }
        // The paper the user chose stays when the printer has it.
        printer.setPageLayout(layout);
        printer.setFullPage(true);
        return true;
    }
    return false;
}

QString PdfOutputFile() {
    return pdfOutput();
}

void SetPdfOutputFile(const QString& path) {
    pdfOutput() = path;
}

void SetNextPdfFile(const QString& path) {
    nextPdf() = path;
}

QString TakeNextPdfFile() {
    return std::exchange(nextPdf(), QString());
}

} // namespace lumo::print
