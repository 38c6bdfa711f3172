#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <optional>

class QWidget;

namespace lumo {

// Width of the header and footer fields in characters.
constexpr int kPageTextWidth = 70;

// The print module's one settings record, shared by every CKelPrinter, the print engine and the
// preview. Integer fields are 16-bit, Long 32-bit, Single float, as the interface defines them.
struct PrintSettingsRecord {
    // Outcome of the last preview: 0 nothing printed, 1 printed, 602 printer setup failed,
    // 603 printing or pagination failed.
    std::int16_t PrintResult = 0;
    float LeftMargin = 10; // millimetres
    float RightMargin = 10;
    float TopMargin = 10;
    float BottomMargin = 10;
    float PageWidth = 210;
    float PageHeight = 270;
    std::int16_t PageOrientation = 0;
    std::int16_t PageCopies = 1;
    std::int16_t FirstPageOfset = 1;
    bool FirstPageHeaderEnabled = false;
    bool FirstPageFooterEnabled = false;
    QString PageHeader = QString(kPageTextWidth, u' ');
    QString PageFooter = QString(kPageTextWidth, u' ');
    bool FixedPreview = false;
    std::int16_t PageNumberFrom = 1;
    std::int32_t HeaderAlign = 0;
    std::int32_t FooterAlign = 0;
    bool PageGroup = false;
    QString PrinterName;
    QString PrinterDriverName;
    std::int32_t PrinterHDC = 0;
    std::int16_t PrinterCopies = 0;
    std::int16_t FromPage = 0;
    std::int16_t ToPage = 0;
    std::int32_t PageCount = 0;
    // One RTF document per page, header and footer joined in; Pages[0] is page 1.
    QStringList Pages;
    // Cleared when the form goes away, so no dialog is given a deleted owner.
    QPointer<QWidget> UsedForm;
    bool DirectPrint = false;
    std::int16_t LastLine = 0;
};

// The program-wide record.
PrintSettingsRecord& PrintSettings();

// A text stored into a 70-character field: cut, or padded with spaces on the right.
QString FixedPageText(const QString& text);

// What loading the preview form does, for direct printing too: no outcome yet, a ToPage below
// 1 as 999 (the last page), and the recorded printer made current.
void StartPrintJob();

// Makes the installed printer whose device name equals name (trailing blanks and letter case
// ignored) the current printer and records it; false (nothing changed) when none matches.
bool SetPrinterByName(const QString& name);
// The page-setup dialog on the stored paper size and margins (hundredths of a millimetre);
// the values come back rounded to hundredths, and changed when the user confirmed.
// Returns 1 when confirmed, 0 otherwise.
int ShowPageSetupDialog();
// The properties dialog of the named printer (made current; the current one when none); the
// choices are kept on the current printer when confirmed. Returns 1 when confirmed, 0 otherwise
// (also for a name no installed printer has: then nothing is shown or changed).
int ShowPrinterProperties(const std::optional<QString>& name = std::nullopt);

} // namespace lumo
