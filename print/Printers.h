#pragma once

#include <QString>

#include <vector>

class QPrinter;

namespace lumo::print {

// An installed printer as the print engine lists it.
struct InstalledPrinter {
    QString DeviceName;
    QString DriverName;
    int Copies = 1;
    bool Pdf = false; // the PDF printer that writes to a file
};

// Device name of the PDF printer, which is always installed.
QString PdfPrinterName();

// The printers of the system (CUPS, when running), then the PDF printer.
std::vector<InstalledPrinter> InstalledPrinters();

// The program's one current printer (high resolution, full page, A4 until set otherwise).
// At first use it is the system's default printer, or the PDF printer when there is none.
QPrinter& CurrentPrinter();
// Device name of the current printer.
QString CurrentPrinterName();
bool CurrentIsPdf();
// Makes the installed printer with exactly this device name current; false when none has it.
bool SelectPrinter(const QString& deviceName);

// The file the PDF printer writes the next job to. Empty: the job asks for one.
QString PdfOutputFile();
void SetPdfOutputFile(const QString& path);
// A file named in the print dialog, used by the next PDF job only.
void SetNextPdfFile(const QString& path);
QString TakeNextPdfFile();

} // namespace lumo::print
