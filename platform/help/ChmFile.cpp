#include "platform/help/ChmFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>

#include <chm_lib.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

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

// Objects larger than this are not help; a damaged length must not allocate without limit.
constexpr LONGUINT64 kMaxObject = 64u * 1024u * 1024u;

int readWholly(chmFile* file, chmUnitInfo* unit, void*) {
    chmUnitInfo info{};
    if (chm_resolve_object(file, unit->path, &info) != CHM_RESOLVE_SUCCESS)
        return CHM_ENUMERATOR_FAILURE;
    if (info.length == 0 || info.length > kMaxObject)
        return CHM_ENUMERATOR_CONTINUE;
    auto* data = static_cast<unsigned char*>(std::malloc(info.length));
    if (!data)
        return CHM_ENUMERATOR_FAILURE;
    const LONGINT64 got = chm_retrieve_object(file, &info, data, 0, static_cast<LONGINT64>(info.length));
    std::free(data);
    return got == static_cast<LONGINT64>(info.length) ? CHM_ENUMERATOR_CONTINUE : CHM_ENUMERATOR_FAILURE;
}

// chmlib trusts the file's directory, its reset table and its compressed stream: a damaged file
// can make it divide by zero, read past its buffers, ask for gigabytes or never return. So the
// whole file is read once in a child process first, under a memory limit and a time limit; a file
// the child cannot read to its end is taken as no help file.
bool readsWhollyInChild(const QByteArray& path) {
    const pid_t child = fork();
    if (child < 0)
        return true; // no probe possible: read as before
    if (child == 0) {
        // Only calls that are safe after fork() until chmlib runs.
        rlimit limit{};
        char statm[64] = {};
        const int fd = open("/proc/self/statm", O_RDONLY);
        const ssize_t got = fd >= 0 ? read(fd, statm, sizeof statm - 1) : -1;
        if (fd >= 0)
            close(fd);
        rlim_t pages = 0;
        for (ssize_t i = 0; i < got && statm[i] >= '0' && statm[i] <= '9'; ++i)
            pages = pages * 10 + static_cast<rlim_t>(statm[i] - '0');
        if (pages > 0 && getrlimit(RLIMIT_AS, &limit) == 0) {
            limit.rlim_cur =
                std::min<rlim_t>(limit.rlim_max, pages * sysconf(_SC_PAGESIZE) + (rlim_t(512) << 20));
            setrlimit(RLIMIT_AS, &limit);
        }
        chmFile* file = chm_open(path.constData());
        if (!file)
            _exit(1);
        // A name that is not there walks the directory index as a link to a missing topic does.
        chmUnitInfo missing{};
        chm_resolve_object(file, "/#no such object", &missing);
        const int read = chm_enumerate(file, CHM_ENUMERATE_ALL, readWholly, nullptr);
        chm_close(file);
        _exit(read ? 0 : 1);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int status = 0;
    pid_t done = 0;
    while ((done = waitpid(child, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (done == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return false;
    }
    return done == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

ChmFile::ChmFile() = default;
ChmFile::~ChmFile() = default;

bool ChmFile::open(const QString& path) {
    m_handle.reset();
    m_path.clear();
    if (!QFileInfo(path).isFile())
        return false;
    const QByteArray name = QFile::encodeName(path);
    if (!readsWhollyInChild(name))
        return false;
    auto handle = std::make_unique<Handle>();
    handle->file = chm_open(name.constData());
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
    if (info.length > kMaxObject)
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
