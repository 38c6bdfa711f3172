#pragma once

#include <QString>

#include <memory>
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

// A printer of its own for one PDF job, with the current printer's paper and settings: the
// PDF engine stops writing for good after one failed write (a full disk), so a printer that
// had failed once would write every later file empty.
std::unique_ptr<QPrinter> PdfJobPrinter(const QString& pdf);
// Raises a run-time error when the PDF file of a finished job did not reach the disk whole
// (the engine reports no failed write).
void CheckPdfWritten(const QString& pdf);

// The file the PDF printer writes the next job to. Empty: the job asks for one.
QString PdfOutputFile();
void SetPdfOutputFile(const QString& path);
// A file named in the print dialog, used by the next PDF job only.
void SetNextPdfFile(const QString& path);
QString TakeNextPdfFile();

} // namespace lumo::print
