#include "print/Printers.h"

#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStorageInfo>

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

// A whole PDF file ends with the offset of its cross-reference table, and the table is there.
bool pdfComplete(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 32 || !f.seek(std::max<qint64>(0, f.size() - 64)))
        return false;
    const QByteArray tail = f.readAll();
    const qsizetype at = tail.lastIndexOf("startxref");
    if (at < 0 || !tail.trimmed().endsWith("%%EOF"))
        return false;
    const QByteArray rest = tail.mid(at + 9).trimmed();
    bool ok = false;
    const qint64 xref = rest.left(rest.indexOf('\n')).trimmed().toLongLong(&ok);
    return ok && xref >= 0 && xref < f.size() && f.seek(xref) && f.read(4) == "xref";
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

std::unique_ptr<QPrinter> PdfJobPrinter(const QString& pdf) {
    const QPrinter& current = CurrentPrinter();
    auto job = std::make_unique<QPrinter>(QPrinter::HighResolution);
    job->setOutputFormat(QPrinter::PdfFormat);
    job->setResolution(current.resolution());
    job->setPageLayout(current.pageLayout());
    job->setFullPage(current.fullPage());
    job->setColorMode(current.colorMode());
    job->setCopyCount(current.copyCount());
    job->setDocName(current.docName());
    job->setCreator(current.creator());
    job->setPdfVersion(current.pdfVersion());
    job->setOutputFileName(pdf);
    return job;
}

void CheckPdfWritten(const QString& pdf) {
    if (pdfComplete(pdf))
        return;
    const QStorageInfo disk(QFileInfo(pdf).absolutePath());
    const bool full = disk.isValid() && disk.bytesAvailable() < 64 * 1024;
    err::Raise(full ? err::errDiskFull : err::errDeviceIo, QString(),
               QStringLiteral("Soubor ") + pdf + QStringLiteral(" se nepodařilo celý zapsat"));
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
