#include "platform/help/HelpWindow.h"

#include <QCloseEvent>
#include <QCollator>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStringDecoder>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace lumo::help {

namespace {

constexpr int kTopicRole = Qt::UserRole + 1;

QString topicOf(const QUrl& url) {
    QString path = url.path();
    if (!path.startsWith(u'/'))
        path.prepend(u'/');
    return path;
}

} // namespace

HelpBrowser::HelpBrowser(const ChmFile& file, QWidget* parent) : QTextBrowser(parent), m_file(file) {
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != u"chm")
        return {};
    const QByteArray data = m_file.object(topicOf(name));
    if (data.isEmpty())
        return {};
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource) {
        QStringDecoder decoder = QStringDecoder::decoderForHtml(data);
        if (!decoder.isValid())
            decoder = QStringDecoder(QStringDecoder::Utf8);
        return QString(decoder(data));
    }
    return data;
}

HelpWindow::HelpWindow(std::unique_ptr<ChmFile> file, QWidget* owner)
    : QWidget(owner, Qt::Window), m_file(std::move(file)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(m_file->title().isEmpty() ? QStringLiteral("Nápověda") : m_file->title());

    m_side = new QTabWidget;
    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    m_contents->setHeaderHidden(true);
    m_side->addTab(m_contents, QStringLiteral("Obsah"));

    auto* indexPage = new QWidget;
    m_keyword = new QLineEdit;
    m_keyword->setObjectName(QStringLiteral("HelpKeyword"));
    m_keyword->setPlaceholderText(QStringLiteral("Hledané slovo"));
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("HelpIndex"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(2, 2, 2, 2);
    indexLayout->addWidget(m_keyword);
    indexLayout->addWidget(m_index);
    m_side->addTab(indexPage, QStringLiteral("Rejstřík"));

    m_browser = new HelpBrowser(*m_file, this);
    m_browser->setObjectName(QStringLiteral("HelpTopic"));

    auto* split = new QSplitter;
    split->addWidget(m_side);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buildHistoryButtons());
    layout->addWidget(split);
    resize(860, 600);
    split->setSizes({240, 620});

    fillContents();
    fillIndex();
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { showTopic(item->data(0, kTopicRole).toString()); });
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { showTopic(item->data(0, kTopicRole).toString()); });
    connect(m_index, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showTopic(item->data(kTopicRole).toString()); });
    connect(m_index, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showTopic(item->data(kTopicRole).toString()); });
    connect(m_keyword, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    m_keyword->installEventFilter(this);
    // Typing goes to the keyword box as soon as the index is chosen.
    connect(m_side, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1)
            m_keyword->setFocus();
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::syncContents);
    connect(m_keyword, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem* item = m_index->currentItem())
            showTopic(item->data(kTopicRole).toString());
    });
}

// Back and forward through the topics shown, as the help viewer's toolbar offers them.
QHBoxLayout* HelpWindow::buildHistoryButtons() {
    const auto button = [this](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                               QKeySequence::StandardKey key) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setShortcut(QKeySequence(key));
        b->setEnabled(false);
        return b;
    };
    QToolButton* back =
        button(QStringLiteral("HelpBack"), QStringLiteral("Zpět"), QStyle::SP_ArrowBack, QKeySequence::Back);
    QToolButton* forward = button(QStringLiteral("HelpForward"), QStringLiteral("Vpřed"),
                                  QStyle::SP_ArrowForward, QKeySequence::Forward);
    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    auto* row = new QHBoxLayout;
    row->addWidget(back);
    row->addWidget(forward);
    row->addStretch();
    return row;
}

QUrl HelpWindow::TopicUrl(const QString& topic) {
    QUrl url;
    url.setScheme(QStringLiteral("chm"));
    const qsizetype hash = topic.indexOf(u'#');
    url.setPath(hash < 0 ? topic : topic.left(hash));
    if (hash >= 0)
        url.setFragment(topic.mid(hash + 1));
    return url;
}

void HelpWindow::showTopic(const QString& topic) {
    const QString name = topic.isEmpty() ? m_file->defaultTopic() : topic;
    if (name.isEmpty())
        return;
    m_browser->setSource(TopicUrl(name), QTextDocument::HtmlResource);
    if (m_startAfresh) {
        m_browser->clearHistory();
        m_startAfresh = false;
    }
}

void HelpWindow::showContents() {
    m_side->setCurrentIndex(0);
}

void HelpWindow::showIndex(const QString& keyword) {
    m_side->setCurrentIndex(1);
    if (!keyword.isEmpty())
        m_keyword->setText(keyword);
    m_keyword->setFocus();
}

void HelpWindow::showKeyword(const QString& keyword) {
    showIndex(keyword);
    const QListWidgetItem* item = m_index->currentItem();
    if (item && item->text().trimmed().compare(keyword.trimmed(), Qt::CaseInsensitive) == 0)
        showTopic(item->data(kTopicRole).toString());
}

// The arrow and page keys in the keyword box move through the index, as in the list itself.
bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_keyword && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_index, event);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Closed by the user: shown again, it starts as a new window does, on the contents.
void HelpWindow::closeEvent(QCloseEvent* event) {
    m_keyword->clear();
    showContents();
    m_startAfresh = true; // no way back to the topics of before
    QWidget::closeEvent(event);
}

// The contents follow the topic shown, whichever way it was reached.
void HelpWindow::syncContents(const QUrl& source) {
    const QString topic = topicOf(source);
    const auto topicOfItem = [](const QTreeWidgetItem* item) {
        return topicOf(TopicUrl(item->data(0, kTopicRole).toString()));
    };
    if (m_contents->currentItem() && topicOfItem(m_contents->currentItem()) == topic)
        return;
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if (topicOfItem(*it) == topic) {
            m_contents->setCurrentItem(*it);
            m_contents->scrollToItem(*it);
            return;
        }
    }
    m_contents->setCurrentItem(nullptr);
}

QString HelpWindow::currentTopic() const {
    return m_browser->source().isEmpty() ? QString() : topicOf(m_browser->source());
}

int HelpWindow::currentPage() const {
    return m_side->currentIndex();
}

void HelpWindow::fillContents() {
    QList<QTreeWidgetItem*> parents;
    for (const SitemapEntry& e : m_file->contents()) {
        while (parents.size() > e.level)
            parents.removeLast();
        auto* item =
            parents.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.last());
        item->setText(0, e.name);
        item->setData(0, kTopicRole, e.local);
        parents.append(item);
    }
    m_contents->expandAll();
}

void HelpWindow::fillIndex() {
    for (const SitemapEntry& e : m_file->index()) {
        auto* item = new QListWidgetItem(QString(e.level * 2, u' ') + e.name, m_index);
        item->setData(kTopicRole, e.local);
    }
}

// Typing in the keyword box selects the first entry that begins with it.
// Without such an entry, the first that sorts after it (the index is in Czech order).
void HelpWindow::filterIndex(const QString& text) {
    const QString wanted = text.trimmed();
    const int count = m_index->count();
    int row = -1;
    for (int i = 0; i < count && row < 0; ++i) {
        if (m_index->item(i)->text().trimmed().startsWith(wanted, Qt::CaseInsensitive))
            row = i;
    }
    if (row < 0 && count > 0) {
        QCollator czech{QLocale(QLocale::Czech)};
        czech.setCaseSensitivity(Qt::CaseInsensitive);
        row = count - 1;
        for (int i = 0; i < count; ++i) {
            if (czech.compare(m_index->item(i)->text().trimmed(), wanted) > 0) {
                row = i;
                break;
            }
        }
    }
    if (row < 0)
        return;
    m_index->setCurrentRow(row);
    m_index->scrollToItem(m_index->item(row), QAbstractItemView::PositionAtTop);
}

} // namespace lumo::help
