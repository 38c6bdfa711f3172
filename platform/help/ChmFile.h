#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

// A compiled HTML help file, read with chmlib.
namespace lumo::help {

// One entry of the contents or the index: its name, its topic and its level (0 at the top).
struct SitemapEntry {
    QString name;
    QString local;
    int level = 0;
};

class ChmFile {
public:
    ChmFile();
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    // False when the file is missing or not a compiled help file.
    bool open(const QString& path);
    bool isOpen() const;
    QString path() const { return m_path; }

    // A stored object by its path inside the file ("/uvod.html"); empty when missing.
    QByteArray object(const QString& name) const;
    bool hasObject(const QString& name) const;

    // The project's values: the default topic, title, contents and index files ("/x.html").
    QString defaultTopic() const { return m_defaultTopic; }
    QString title() const { return m_title; }
    QString contentsFile() const { return m_contentsFile; }
    QString indexFile() const { return m_indexFile; }

    // The topic mapped to a context number ("" when none is).
    QString topicForContext(quint32 context) const;

    QList<SitemapEntry> contents() const;
    QList<SitemapEntry> index() const;

    // The entries of a contents or index file, in their order.
    static QList<SitemapEntry> ParseSitemap(const QString& html);

private:
    void readSystem();

    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QString m_path;
    QString m_defaultTopic;
    QString m_title;
    QString m_contentsFile;
    QString m_indexFile;
};

} // namespace lumo::help
