#include "platform/help/ChmFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

#include <chm_lib.h>

namespace lumo::help {

struct ChmFile::Handle {
    chmFile* file = nullptr;
    ~Handle() {
        if (file)
            chm_close(file);
    }
};

namespace {

// Names inside the file begin with "/"; system objects with "/#" ("/#SYSTEM").
QString slashed(QString name) {
    name.replace(u'\\', u'/');
    if (!name.startsWith(u'/'))
        name.prepend(u'/');
    return name;
}

QString cString(const QByteArray& bytes, qsizetype from = 0) {
    const qsizetype end = bytes.indexOf('\0', from);
    return QString::fromUtf8(bytes.mid(from, end < 0 ? -1 : end - from));
}

QString unescapeHtml(QString text) {
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

// The compression's control data ("LZXC") as chmlib reads it at open. chmlib divides by the
// window size and the reset block count and starts its decoder with the window size unchecked,
// so a damaged file with odd values there ends the process (division by zero, a null decoder).
// Such a file is taken as no help file.
bool controlDataSound(const QByteArray& bytes) {
    for (qsizetype at = bytes.indexOf("LZXC", 4); at >= 0; at = bytes.indexOf("LZXC", at + 1)) {
        if (at + 20 > bytes.size())
            return false;
        const char* p = bytes.constData() + at;
        const quint32 version = qFromLittleEndian<quint32>(p + 4);
        quint64 resetInterval = qFromLittleEndian<quint32>(p + 8);
        quint64 windowSize = qFromLittleEndian<quint32>(p + 12);
        const quint64 windowsPerReset = qFromLittleEndian<quint32>(p + 16);
        if (version == 2) {
            resetInterval *= 0x8000;
            windowSize *= 0x8000;
        }
        const bool window =
            windowSize >= (1u << 15) && windowSize <= (1u << 21) && (windowSize & (windowSize - 1)) == 0;
        if (!window || resetInterval == 0 || resetInterval % (windowSize / 2) != 0 ||
            resetInterval / (windowSize / 2) * windowsPerReset == 0 ||
            resetInterval / (windowSize / 2) * windowsPerReset > 0xFFFFFFFFu)
            return false;
    }
    return true;
}

} // namespace

ChmFile::ChmFile() = default;
ChmFile::~ChmFile() = default;

bool ChmFile::open(const QString& path) {
    m_handle.reset();
    m_path.clear();
    if (!QFileInfo(path).isFile())
        return false;
    QFile raw(path);
    if (!raw.open(QIODevice::ReadOnly) || !controlDataSound(raw.readAll()))
        return false;
    raw.close();
    auto handle = std::make_unique<Handle>();
    handle->file = chm_open(QFile::encodeName(path).constData());
    if (!handle->file)
        return false;
    m_handle = std::move(handle);
    m_path = path;
    readSystem();
    return true;
}

bool ChmFile::isOpen() const {
    return m_handle != nullptr;
}

QByteArray ChmFile::object(const QString& name) const {
    if (!m_handle)
        return {};
    chmUnitInfo info{};
    const QByteArray key = slashed(name).toUtf8();
    if (chm_resolve_object(m_handle->file, key.constData(), &info) != CHM_RESOLVE_SUCCESS)
        return {};
    // Help objects are small; a damaged length must not allocate without limit.
    if (info.length > 64u * 1024u * 1024u)
        return {};
    QByteArray data(static_cast<qsizetype>(info.length), Qt::Uninitialized);
    const LONGINT64 got = chm_retrieve_object(m_handle->file, &info,
                                              reinterpret_cast<unsigned char*>(data.data()), 0, info.length);
    data.resize(got > 0 ? static_cast<qsizetype>(got) : 0);
    return data;
}

bool ChmFile::hasObject(const QString& name) const {
    if (!m_handle)
        return false;
    chmUnitInfo info{};
    return chm_resolve_object(m_handle->file, slashed(name).toUtf8().constData(), &info) ==
           CHM_RESOLVE_SUCCESS;
}

// #SYSTEM: a version, then records of code, length and data.
void ChmFile::readSystem() {
    const QByteArray system = object(QStringLiteral("/#SYSTEM"));
    qsizetype at = 4;
    while (at + 4 <= system.size()) {
        const quint16 code = qFromLittleEndian<quint16>(system.constData() + at);
        const quint16 length = qFromLittleEndian<quint16>(system.constData() + at + 2);
        at += 4;
        if (at + length > system.size())
            break;
        const QString value = cString(system.mid(at, length));
        switch (code) {
        case 0:
            m_contentsFile = slashed(value);
            break;
        case 1:
            m_indexFile = slashed(value);
            break;
        case 2:
            m_defaultTopic = slashed(value);
            break;
        case 3:
            m_title = value;
            break;
        default:
            break;
        }
        at += length;
    }
}

// #IVB holds pairs of a context number and an offset into #STRINGS, where the
// topic's name stands. Some compilers store the topic with the folder it was
// compiled in; then the name inside the file is looked up.
QString ChmFile::topicForContext(quint32 context) const {
    const QByteArray ivb = object(QStringLiteral("/#IVB"));
    if (ivb.size() < 4)
        return {};
    const QByteArray strings = object(QStringLiteral("/#STRINGS"));
    for (qsizetype at = 4; at + 8 <= ivb.size(); at += 8) {
        if (qFromLittleEndian<quint32>(ivb.constData() + at) != context)
            continue;
        const quint32 offset = qFromLittleEndian<quint32>(ivb.constData() + at + 4);
        if (offset >= static_cast<quint32>(strings.size()))
            return {};
        const QString topic = cString(strings, offset);
        if (hasObject(topic))
            return slashed(topic);
        const QString file = slashed(topic.section(u'/', -1));
        return hasObject(file) ? file : QString();
    }
    return {};
}

QList<SitemapEntry> ChmFile::contents() const {
    return m_contentsFile.isEmpty() ? QList<SitemapEntry>{}
                                    : ParseSitemap(QString::fromUtf8(object(m_contentsFile)));
}

QList<SitemapEntry> ChmFile::index() const {
    return m_indexFile.isEmpty() ? QList<SitemapEntry>{}
                                 : ParseSitemap(QString::fromUtf8(object(m_indexFile)));
}

QList<SitemapEntry> ChmFile::ParseSitemap(const QString& html) {
    static const QRegularExpression tag(QStringLiteral("<\\s*(/?)\\s*(ul|object|param)\\b([^>]*)>"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attr(
        QStringLiteral("(\\w+)\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"));
    QList<SitemapEntry> entries;
    SitemapEntry current;
    bool inObject = false;
    int level = -1;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString name = m.captured(2).toLower();
        if (name == u"ul") {
            level += closing ? -1 : 1;
        } else if (name == u"object") {
            if (!closing) {
                inObject = true;
                current = SitemapEntry{{}, {}, qMax(level, 0)};
            } else if (inObject) {
                inObject = false;
                if (!current.name.isEmpty())
                    entries.append(current);
            }
        } else if (inObject && !closing) {
            QString key, value;
            for (auto a = attr.globalMatch(m.captured(3)); a.hasNext();) {
                const QRegularExpressionMatch am = a.next();
                const QString v = am.captured(3) + am.captured(4) + am.captured(5);
                if (am.captured(1).compare(u"name", Qt::CaseInsensitive) == 0)
                    key = v.toLower();
                else if (am.captured(1).compare(u"value", Qt::CaseInsensitive) == 0)
                    value = unescapeHtml(v);
            }
            if (key == u"name" && current.name.isEmpty())
                current.name = value;
            else if (key == u"local" && current.local.isEmpty())
                current.local = slashed(value);
        }
    }
    return entries;
}

} // namespace lumo::help
