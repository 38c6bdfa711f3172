#include "print/CKelPrinter.h"

#include "library/CKelSrv.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "print/MPrint.h"

namespace lumo {

namespace {

PrintSettingsRecord& S() {
    return PrintSettings();
}

// The object error of PrintSetup and PageSetup without a controlling form.
constexpr long kNoFormLinked = err::vbObjectError + 604;

void setDefaults() {
    PrintSettingsRecord& s = S();
    s.LeftMargin = s.RightMargin = s.TopMargin = s.BottomMargin = 10;
    s.PageCopies = 1;
    s.FirstPageHeaderEnabled = s.FirstPageFooterEnabled = false;
    s.FirstPageOfset = 1;
    s.FixedPreview = false;
    s.PageHeader = FixedPageText(QString());
    s.PageFooter = FixedPageText(QString());
    s.HeaderAlign = s.FooterAlign = 0;
    s.PageOrientation = 0;
    s.PageHeight = 270;
    s.PageWidth = 210;
    s.PageNumberFrom = 1;
}

} // namespace

CKelPrinter::CKelPrinter() {
    CKelSrv::FormLinked() = false;
    setDefaults();
}

CKelPrinter::~CKelPrinter() {
    S().UsedForm.clear();
}

void CKelPrinter::UsedForm(QWidget* Form) {
    S().UsedForm = Form;
    CKelSrv::FormLinked() = true;
}
QWidget* CKelPrinter::UsedForm() const {
    return S().UsedForm;
}

float CKelPrinter::LeftMargin() const {
    return S().LeftMargin;
}
void CKelPrinter::LeftMargin(float value) {
    S().LeftMargin = value;
}
float CKelPrinter::RightMargin() const {
    return S().RightMargin;
}
void CKelPrinter::RightMargin(float value) {
    S().RightMargin = value;
}
float CKelPrinter::TopMargin() const {
    return S().TopMargin;
}
void CKelPrinter::TopMargin(float value) {
    S().TopMargin = value;
}
float CKelPrinter::BottomMargin() const {
    return S().BottomMargin;
}
void CKelPrinter::BottomMargin(float value) {
    S().BottomMargin = value;
}

std::int16_t CKelPrinter::PageOrientation() const {
    return S().PageOrientation;
}
void CKelPrinter::PageOrientation(std::int16_t value) {
    S().PageOrientation = value;
}
float CKelPrinter::PageWidth() const {
    return S().PageWidth;
}
void CKelPrinter::PageWidth(float value) {
    S().PageWidth = value;
}
float CKelPrinter::PageHeight() const {
    return S().PageHeight;
}
void CKelPrinter::PageHeight(float value) {
    S().PageHeight = value;
}
std::int16_t CKelPrinter::PageCopies() const {
    return S().PageCopies;
}
void CKelPrinter::PageCopies(std::int16_t value) {
    S().PageCopies = value;
}
std::int16_t CKelPrinter::FirstPageOfset() const {
    return S().FirstPageOfset;
}
void CKelPrinter::FirstPageOfset(std::int16_t value) {
    S().FirstPageOfset = value;
}

QString CKelPrinter::PageHeader() const {
    return S().PageHeader;
}
void CKelPrinter::PageHeader(const QString& value) {
    S().PageHeader = FixedPageText(value);
}
QString CKelPrinter::PageFooter() const {
    return S().PageFooter;
}
void CKelPrinter::PageFooter(const QString& value) {
    S().PageFooter = FixedPageText(value);
}

bool CKelPrinter::FirstPageHeaderEnabled() const {
    return S().FirstPageHeaderEnabled;
}
void CKelPrinter::FirstPageHeaderEnabled(bool value) {
    S().FirstPageHeaderEnabled = value;
}
bool CKelPrinter::FirstPageFooterEnabled() const {
    return S().FirstPageFooterEnabled;
}
void CKelPrinter::FirstPageFooterEnabled(bool value) {
    S().FirstPageFooterEnabled = value;
}
bool CKelPrinter::FixedPreview() const {
    return S().FixedPreview;
}
void CKelPrinter::FixedPreview(bool value) {
    S().FixedPreview = value;
}
bool CKelPrinter::PageGroup() const {
    return S().PageGroup;
}
void CKelPrinter::PageGroup(bool value) {
    S().PageGroup = value;
}
std::int16_t CKelPrinter::PageNumberFrom() const {
    return S().PageNumberFrom;
}
void CKelPrinter::PageNumberFrom(std::int16_t value) {
    S().PageNumberFrom = value;
}
std::int32_t CKelPrinter::HeaderAlign() const {
    return S().HeaderAlign;
}
void CKelPrinter::HeaderAlign(std::int32_t value) {
    S().HeaderAlign = value;
}
std::int32_t CKelPrinter::FooterAlign() const {
    return S().FooterAlign;
}
void CKelPrinter::FooterAlign(std::int32_t value) {
    S().FooterAlign = value;
}

QString CKelPrinter::PrinterName() const {
    return S().PrinterName;
}
void CKelPrinter::PrinterName(const QString& value) {
    SetPrinterByName(value);
}
std::int32_t CKelPrinter::PrinterHDC() const {
    return S().PrinterHDC;
}
std::int32_t CKelPrinter::PrinterCopies() const {
    return S().PrinterCopies;
}
QString CKelPrinter::PrinterDriverName() const {
    return S().PrinterDriverName;
}

std::int16_t CKelPrinter::FromPage() const {
    return S().FromPage;
}
void CKelPrinter::FromPage(std::int16_t value) {
    S().FromPage = value;
}
std::int16_t CKelPrinter::ToPage() const {
    return S().ToPage;
}
void CKelPrinter::ToPage(std::int16_t value) {
    S().ToPage = value;
}
std::int16_t CKelPrinter::LastLine() const {
    return S().LastLine;
}

int CKelPrinter::PrintSetup(const std::optional<QString>& PrinterName) {
    if (!CKelSrv::FormLinked())
        err::Raise(kNoFormLinked, QStringLiteral("ZorPrinter-CKelPrinter-PrintSetup"),
                   QStringLiteral("Nelze nastavit tiskárnu, není vytvořena vazba na řídící formulář"));
    return ShowPrinterProperties(PrinterName);
}

int CKelPrinter::PageSetup() {
    if (!CKelSrv::FormLinked())
        err::Raise(kNoFormLinked, QStringLiteral("ZorPrinter-CKelPrinter-PageSetup"),
                   QStringLiteral("Nelze nastavit stránku, není vytvořena vazba na řídící formulář"));
    return ShowPageSetupDialog();
}

} // namespace lumo
