#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

class QWidget;

namespace lumo {

// The one entry into the print engine. It holds no state of its own: every property reads or
// writes one field of the print module's settings record (MPrint.h), shared by every instance.
// Start-up creates the one instance (App().PrinterObj) and hands it the page margins.
//
// Failures of the methods are reported inside the engine (ErrView) and end in PrintResult 602
// or 603; PrintFile, PrintSetup and PageSetup raise theirs (VbError) to the caller.
class CKelPrinter {
public:
    CKelPrinter();
    ~CKelPrinter();
    CKelPrinter(const CKelPrinter&) = delete;
    CKelPrinter& operator=(const CKelPrinter&) = delete;

    // The controlling form, owner of the dialogs; giving one sets CKelSrv::FormLinked().
    void UsedForm(QWidget* Form);
    QWidget* UsedForm() const;

    // Page margins, millimetres.
    float LeftMargin() const;
    void LeftMargin(float value);
    float RightMargin() const;
    void RightMargin(float value);
    float TopMargin() const;
    void TopMargin(float value);
    float BottomMargin() const;
    void BottomMargin(float value);

    // Stored only (and exchanged with the page-setup dialog).
    std::int16_t PageOrientation() const;
    void PageOrientation(std::int16_t value);
    float PageWidth() const;
    void PageWidth(float value);
    float PageHeight() const;
    void PageHeight(float value);
    std::int16_t PageCopies() const;
    void PageCopies(std::int16_t value);

    // Empty lines put before the document text on page 1.
    std::int16_t FirstPageOfset() const;
    void FirstPageOfset(std::int16_t value);

    // Header and footer texts: always 70 characters, cut or padded with spaces on the right.
    QString PageHeader() const;
    void PageHeader(const QString& value);
    QString PageFooter() const;
    void PageFooter(const QString& value);

    bool FirstPageHeaderEnabled() const;
    void FirstPageHeaderEnabled(bool value);
    bool FirstPageFooterEnabled() const;
    void FirstPageFooterEnabled(bool value);
    // The preview keeps the viewer's own line width instead of the printer's.
    bool FixedPreview() const;
    void FixedPreview(bool value);
    // The preview opens in whole-document view instead of page view.
    bool PageGroup() const;
    void PageGroup(bool value);

    std::int16_t PageNumberFrom() const;
    void PageNumberFrom(std::int16_t value);

    // 0 left, 1 centre, any other value right.
    std::int32_t HeaderAlign() const;
    void HeaderAlign(std::int32_t value);
    std::int32_t FooterAlign() const;
    void FooterAlign(std::int32_t value);

    // Setting selects the installed printer of that name (letter case and trailing blanks
    // ignored); a name that matches none changes nothing. Get returns the recorded name.
    QString PrinterName() const;
    void PrinterName(const QString& value);
    std::int32_t PrinterHDC() const;
    std::int32_t PrinterCopies() const;
    QString PrinterDriverName() const;

    // Page range of PrintDoc; below 1 ToPage means the last page.
    std::int16_t FromPage() const;
    void FromPage(std::int16_t value);
    std::int16_t ToPage() const;
    void ToPage(std::int16_t value);

    // Text lines on the last page of the last paginated document.
    std::int16_t LastLine() const;

    // Prints a plain-text file (Windows-1250) line by line within the margins; returns 1.
    // Raises -2147220903 on failure.
    int PrintFile(const QString& FileName, const QString& FontName = QStringLiteral("Courier New"),
                  float FontSize = 10);
    // Prepares the document and shows the preview modally; returns PrintResult
    // (0 nothing printed, 1 printed, 602 printer setup failed, 603 printing failed).
    // ViewOption False makes the viewer read-only.
    int PrintPreview(const QString& Text, bool ViewOption = false, bool PlainText = false,
                     const QString& FontName = QString(), float FontSize = 0);
    // Prepares, paginates and prints FromPage..ToPage without a preview; returns 1 when
    // printed, else the failure's PrintResult (602, 603).
    int PrintDoc(const QString& Text, bool PlainText = false, const QString& FontName = QString(),
                 float FontSize = 0);
    // The printer-properties dialog of the named printer (the current one when none);
    // raises -2147220900 while no controlling form is linked. Returns 1 when confirmed.
    int PrintSetup(const std::optional<QString>& PrinterName = std::nullopt);
    // The page-setup dialog on the stored paper size and margins; raises -2147220900 while no
    // controlling form is linked. Returns 1 when confirmed.
    int PageSetup();
    // Saves the prepared document (without header, footer or pages) to FileName: plain text
    // when PlainText, else rich text. Returns 1 when written, 0 otherwise (reported).
    int SavePreview(const QString& Text, QString& FileName, const QVariant& Unused = QVariant(),
                    bool PlainText = false, const QString& FontName = QString(), float FontSize = 0);
};

// The system print dialog on the current printer (its page-range controls hidden), for the
// print command; false when the user cancelled. Owner may be null.
bool ShowPrintDialog(QWidget* Owner);

} // namespace lumo
