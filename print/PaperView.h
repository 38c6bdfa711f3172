#pragma once

#include <QString>
#include <QWidget>

#include <memory>

namespace lumo::ui {
class PageLayout;
}

namespace lumo::print {

// The paper of the preview: one page at its real size (twips at the screen's logical DPI),
// drawn from the page's layout on the printer, so the preview shows what prints. Pages outside
// the print range are drawn with a dashed edge on grey paper.
class PaperView : public QWidget {
    Q_OBJECT
public:
    explicit PaperView(QWidget* parent = nullptr);
    ~PaperView() override;

    // The page's RTF, the paper size and the text rectangle (twips on the paper).
    void setPage(const QString& pageRtf, const QSize& paperTwips, const QRect& textRectTwips);
    // Style 1: inside the print range; 5: outside.
    void setBorderStyle(int style);
    int borderStyle() const { return m_style; }
    // The text of the page shown (tests, accessibility).
    QString pageText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<ui::PageLayout> m_layout;
    QSize m_paper;
    QRect m_textRect;
    int m_style = 1;
};

} // namespace lumo::print
