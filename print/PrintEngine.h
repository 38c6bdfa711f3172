#pragma once

#include "platform/ui/RichTextBox.h"

#include <QRect>
#include <QString>

#include <array>
#include <memory>

class QPrinter;
class QTextDocument;

namespace lumo::ui {
class PageLayout;
}

namespace lumo::print {

// The paper of a printer in twips, and where its printable area starts on it.
struct PrinterGeometry {
    int width = 0;
    int height = 0;
    int offsetX = 0;
    int offsetY = 0;
};
PrinterGeometry GeometryOf(const QPrinter& printer);

// One page's RTF laid out with the current printer as the paint device, as it prints.
std::unique_ptr<ui::PageLayout> PageOnPrinter(const QString& pageRtf);

// Turns one rich-text document into printed pages: prepares it with the empty first lines and
// the header and footer boxes, paginates it for the current printer (laid out with the printer
// as the paint device, so the preview shows what prints) and prints a page range. The preview
// window and direct printing share it; it reads and writes PrintSettings().
class PrintEngine {
public:
    PrintEngine();
    PrintEngine(const PrintEngine&) = delete;
    PrintEngine& operator=(const PrintEngine&) = delete;

    // The document into the work box (plain text in the given font, else rich text), the
    // FirstPageOfset empty lines in front, and the header and footer boxes built.
    void PrepareDocument(const QString& text, bool plainText, const QString& fontName, float fontSize);

    // Margins (mm: left, right, top, bottom; negative counts as 0) into twips, and the line width.
    void NastavOkraje(const std::array<float, 4>& marginsMm);
    // The line width in twips the document wraps at on the current printer.
    int WYSIWYG_RTF();

    // Cuts the document into PrintSettings().Pages with header and footer joined in, sets
    // PageCount and LastLine. False after a reported failure (PrintResult 603).
    bool PripravNahled();

    enum class Outcome { Printed, Cancelled, Failed };
    // Prints pages startPage..endPage (1-based) on the current printer. The PDF printer asks for
    // its file unless one is set. A failure is reported (PrintResult 603) and leaves no file.
    Outcome PrintRTF(int startPage, int endPage);

    // The prepared document (the work box), its header and footer boxes.
    ui::RichTextBox& document() { return m_doc; }
    ui::RichTextBox& header() { return m_header; }
    ui::RichTextBox& footer() { return m_footer; }
    int lineWidth() const { return m_lineWidth; }
    const std::array<int, 4>& marginsTwips() const { return m_marginsTwips; }
    // The whole page within the margins, and the part of it the document text of a page takes
    // (room kept for the header and footer), both in twips on the paper, of the last pagination.
    QRect pageRect() const;
    QRect bodyRect() const { return m_bodyRect; }
    // The margins (mm) leave a page room for text besides the header and footer boxes.
    bool LeavesRoom(const std::array<float, 4>& marginsMm);

private:
    int reservedHeight(ui::RichTextBox& box, int width, bool lastLineJoins) const;
    static QRect pageRectFor(const std::array<int, 4>& marginsTwips);
    // The part of a page that the document text takes, below the header and above the footer.
    QRect bodyRectIn(const QRect& page);
    // continued: the body begins inside a paragraph that the last page began.
    std::unique_ptr<QTextDocument> joinPage(const QString& body, bool withHeader, bool withFooter,
                                            bool continued) const;
    bool fits(std::unique_ptr<QTextDocument> page) const;
    void paginate();
    // opened: set once the job holds the output file (a file it could not open is not its own).
    void printPages(int startPage, int endPage, const QString& pdfFile, bool& opened);
    void reportFailure(const QString& title, const QString& location);

    ui::RichTextBox m_doc;
    ui::RichTextBox m_header;
    ui::RichTextBox m_footer;
    std::array<int, 4> m_marginsTwips{};
    int m_lineWidth = 0;
    QRect m_bodyRect;
    QString m_headerRtf;
    QString m_footerRtf;
};

// The 70-column header or footer line with its pads, as the header and footer boxes hold it.
QString HeaderBoxText(const QString& header, int align);
QString FooterBoxText(const QString& footer, int align);

} // namespace lumo::print
