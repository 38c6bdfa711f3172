// The print command of the pictures page: the picture shown, fitted to one page inside
// the margins, its name centred under it and the program's name at the top right.
#include "browsers/PictureBrowser.h"
#include "browsers/PictureFit.h"
#include "core/AppContext.h"
#include "mainwindow/FrmMain.h"
#include "platform/rtf/FontMap.h"
#include "print/CKelPrinter.h"
#include "print/FileDialogs.h"
#include "print/Printers.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace lumo {

namespace {

constexpr char kFixedCaption[] = "Zefirak";
constexpr double kMillimetresPerInch = 25.4;

QFont captionFont(double points) {
    QFont font(rtf::SubstituteFont(QStringLiteral("Arial CE")));
    font.setPointSizeF(points);
    return font;
}

} // namespace

void PictureBrowser::mnuObrPrint_Click() {
    // Every failure inside the command is passed over; a cancelled dialog ends it.
    bool chosen = false;
    try {
        chosen = ChoosePrinter ? ChoosePrinter(&m_form) : ShowPrintDialog(&m_form);
    } catch (...) {
    }
    if (!chosen)
        return;
    FrmMain::BusyScope busy(m_form); // a close meanwhile waits for the print
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    try {
        printOnCurrentPrinter();
    } catch (...) {
    }
}

void PictureBrowser::printOnCurrentPrinter() {
    std::unique_ptr<QPrinter> pdfJob;
    QString pdf;
    if (print::CurrentIsPdf()) {
        pdf = print::PdfJobFile(&m_form);
        if (pdf.isEmpty())
            return; // the user chose not to print
        pdfJob = print::PdfJobPrinter(pdf);
    }
    QPrinter& printer = pdfJob ? *pdfJob : print::CurrentPrinter();
    QImage image;
    if (!m_data.isEmpty())
        image = ReadPicture(m_data);
    QPainter p;
    if (!p.begin(&printer))
        return;
    // Margins are kept in millimetres; the page is measured in device units.
    const double unitsPerMm = printer.resolution() / kMillimetresPerInch;
    const ProgramSettings& s = App().Settings;
    const double left = std::max(0.0, double(s.LeftMargin)) * unitsPerMm;
    const double top = std::max(0.0, double(s.TopMargin)) * unitsPerMm;
    const double right = std::max(0.0, double(s.RightMargin)) * unitsPerMm;
    const double bottom = std::max(0.0, double(s.BottomMargin)) * unitsPerMm;
    const double drawWidth = std::max(0.0, printer.width() - left - right);

    p.setFont(captionFont(16));
    const QFontMetricsF big(p.font(), &printer);
    const QString caption = m_form.LblObr[0]->text();
    // Room under the picture for its name, so that neither leaves the page.
    const double drawHeight = std::max(0.0, printer.height() - top - bottom - 2 * big.height());
    const PictureBox box =
        PrintedPictureSize(drawWidth, drawHeight, PictureSize.width(), PictureSize.height(), 100);
    if (!image.isNull())
        p.drawImage(QRectF(left, top, box.width, box.height), image);
    const double captionX = (drawWidth - big.horizontalAdvance(caption)) / 2 + left;
    const double captionTop = top + box.height + big.height() / 2;
    p.drawText(QPointF(captionX, captionTop + big.ascent()), caption);

    p.setFont(captionFont(8));
    const QFontMetricsF small(p.font(), &printer);
    const QString fixed = QString::fromLatin1(kFixedCaption);
    const double fixedX = left + drawWidth - small.horizontalAdvance(fixed);
    const double fixedTop = std::max(top - small.height(), 0.0);
    p.drawText(QPointF(fixedX, fixedTop + small.ascent()), fixed);
    p.end();
    // The command reports nothing, but a file that did not reach the disk whole is not left
    // looking like a printout.
    if (pdfJob) {
        try {
            print::CheckPdfWritten(pdf);
        } catch (...) {
            QFile::remove(pdf);
            throw;
        }
    }
}

} // namespace lumo
