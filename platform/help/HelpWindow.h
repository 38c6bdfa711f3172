#pragma once

#include "platform/help/ChmFile.h"

#include <QTextBrowser>
#include <QWidget>

class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;

namespace lumo::help {

// The topic pane: reads topics, pictures and style sheets from the help file.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(const ChmFile& file, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    const ChmFile& m_file;
};

// One help file's window: contents and index on the left, the topic on the right.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The file must be open.
    HelpWindow(std::unique_ptr<ChmFile> file, QWidget* owner);

    const ChmFile& file() const { return *m_file; }
    // Shows a topic ("/x.html"); an empty name shows the default topic.
    void showTopic(const QString& topic);
    void showContents();
    // The index, at the first entry that begins with the keyword.
    void showIndex(const QString& keyword = {});
    // The index at the keyword; an entry of exactly that name also shows its topic.
    void showKeyword(const QString& keyword);
    // The topic shown ("/x.html") and the page of the left side (0 contents, 1 index).
    QString currentTopic() const;
    int currentPage() const;

    static QUrl TopicUrl(const QString& topic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QHBoxLayout* buildHistoryButtons();
    void fillContents();
    void fillIndex();
    void filterIndex(const QString& text);
    void syncContents(const QUrl& source);

    std::unique_ptr<ChmFile> m_file;
    QTabWidget* m_side = nullptr;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_keyword = nullptr;
    QListWidget* m_index = nullptr;
    HelpBrowser* m_browser = nullptr;
    bool m_startAfresh = false;
};

} // namespace lumo::help
