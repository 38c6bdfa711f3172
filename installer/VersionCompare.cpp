#include "installer/VersionCompare.h"

#include "platform/paths/ProgramPaths.h"
#include "platform/version/ProgramVersion.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace lumo::setup {

namespace {

long wholeNumber(const QString& text) {
    bool ok = false;
    const long n = text.trimmed().toLong(&ok);
    return ok ? n : 0;
}

std::array<long, 3> parts(const QString& text) {
    return {VersionMajor(text), VersionMinor(text), VersionRevision(text)};
}

} // namespace

long VersionMajor(const QString& text) {
    return wholeNumber(text.section(u'.', 0, 0));
}

long VersionMinor(const QString& text) {
    if (!text.contains(u'.'))
        return 0;
    return VersionMajor(text.section(u'.', 1));
}

long VersionRevision(const QString& text) {
    if (text.count(u'.') < 2)
        return 0;
    return wholeNumber(text.section(u'.', 2, 2));
}

long CompareAppVersion(const QString& source, const QString& target) {
    const auto a = parts(version::FileVersionText(paths::Resolve(source)));
    const auto b = parts(version::FileVersionText(paths::Resolve(target)));
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return a[i] > b[i] ? 1 : 0;
    }
    return 2;
}

int DBVersionAt(const QString& folder) {
    if (!QFileInfo(paths::Resolve(folder + QStringLiteral("Lumo.mdb"))).isFile())
        return 0;
    QFile f(paths::Resolve(folder + QStringLiteral("Lumo.INF")));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray b = f.read(2);
    if (b.size() < 2)
        return -1;
    return static_cast<qint16>(
        static_cast<quint16>(static_cast<uchar>(b[0]) | static_cast<uchar>(b[1]) << 8));
}

long CompareDBVersion(int medium, int installed) {
    if (medium > installed)
        return 1;
    return medium == installed ? 2 : 0;
}

StampView StampDisplay(int stamp) {
    if (stamp > 0)
        return {QStringLiteral("%1.%2").arg(2004 + stamp / 100).arg(stamp % 100), 0x800000};
    return {QStringLiteral("neznámá"), 0xFF};
}

} // namespace lumo::setup
