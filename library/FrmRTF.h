#pragma once

#include <QString>
#include <QWidget>

namespace lumo {

namespace ui {
class RichTextBox;
}

// The hidden work form of the service object: one rich-text box for off-screen work.
// Shown by a caller, it trades the box's content with the clipboard when activated.
class FrmRTF : public QWidget {
    Q_OBJECT
public:
    explicit FrmRTF(QWidget* parent = nullptr);

    ui::RichTextBox* rtfBox() const { return m_rtfBox; }
    // "COPY": activation puts the box's rich text on the clipboard; anything else takes the
    // clipboard's rich text into the box.
    QString Tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }

    // What activation does; the event handler calls it.
    void Form_Activate();

protected:
    void changeEvent(QEvent* event) override;

private:
    ui::RichTextBox* m_rtfBox;
    QString m_tag;
};

} // namespace lumo
