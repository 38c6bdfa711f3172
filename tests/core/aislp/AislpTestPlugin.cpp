#include "core/aislp/AislpTestPlugin.h"

#include "platform/text/AnsiText.h"

#include <QDir>
#include <QFile>

namespace lumo::test {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QStringList lines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

AislpInstall::AislpInstall(const QString& folder, bool withLibrary) : m_folder(folder) {
    QDir().mkpath(m_folder + QStringLiteral("/Clanky"));
    writeFile(program(), "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n");
    QFile::setPermissions(program(), QFile::permissions(program()) | QFile::ExeOwner | QFile::ExeUser);
    if (withLibrary)
        QFile::copy(libraryFile(), m_folder + QStringLiteral("/mvawcom.so"));
}

void AislpInstall::addArticle(const QString& code, const QString& article) const {
    writeFile(m_folder + QStringLiteral("/Clanky/pAr000000") + code + QStringLiteral(".txt"),
              text::encodeAnsi(article));
}

QStringList AislpInstall::calls() const {
    return lines(m_folder + QStringLiteral("/calls.log"));
}

void AislpInstall::clearCalls() const {
    QFile::remove(m_folder + QStringLiteral("/calls.log"));
}

QStringList AislpInstall::arguments() const {
    return lines(m_folder + QStringLiteral("/args.txt"));
}

QString AislpInstall::libraryFile() {
    return QStringLiteral(LUMO_AISLP_TEST_PLUGIN);
}

} // namespace lumo::test
