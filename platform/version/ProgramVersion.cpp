#include "platform/version/ProgramVersion.h"

#include "platform/version/VersionBlock.h"

#include <QCoreApplication>
#include <QFile>

#include <elf.h>

#include <cstring>
#include <optional>

namespace lumo::version {

namespace {

struct SectionPlace {
    qint64 offset = 0;
    qint64 size = 0;
};

bool readAt(QFile& f, qint64 at, void* out, qint64 n) {
    return f.seek(at) && f.read(static_cast<char*>(out), n) == n;
}

// The file offset and size of the version section of an ELF64 file.
std::optional<SectionPlace> findSection(QFile& f) {
    Elf64_Ehdr eh{};
    if (!readAt(f, 0, &eh, sizeof eh) || std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 ||
        eh.e_ident[EI_CLASS] != ELFCLASS64 || eh.e_shentsize != sizeof(Elf64_Shdr) ||
        eh.e_shstrndx >= eh.e_shnum)
        return std::nullopt;
    const qint64 fileSize = f.size();
    const auto header = [&](unsigned index, Elf64_Shdr& sh) {
        return readAt(f, static_cast<qint64>(eh.e_shoff + index * sizeof(Elf64_Shdr)), &sh, sizeof sh);
    };
    Elf64_Shdr names{};
    if (!header(eh.e_shstrndx, names) || names.sh_offset + names.sh_size > static_cast<quint64>(fileSize))
        return std::nullopt;
    const QByteArray wanted = QByteArray(kSectionName) + '\0';
    for (unsigned i = 0; i < eh.e_shnum; ++i) {
        Elf64_Shdr sh{};
        if (!header(i, sh) || sh.sh_name >= names.sh_size || sh.sh_type == SHT_NOBITS)
            continue;
        // The name with its terminating zero must fit in the name table.
        if (names.sh_size - sh.sh_name < static_cast<quint64>(wanted.size()))
            continue;
        QByteArray name(wanted.size(), '\0');
        if (readAt(f, static_cast<qint64>(names.sh_offset + sh.sh_name), name.data(), name.size()) &&
            name == wanted && sh.sh_offset + sh.sh_size <= static_cast<quint64>(fileSize))
            return SectionPlace{static_cast<qint64>(sh.sh_offset), static_cast<qint64>(sh.sh_size)};
    }
    return std::nullopt;
}

} // namespace

QByteArray ReadVersionBlock(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const auto place = findSection(f);
    if (!place || place->size <= 0 || place->size > (1 << 16) || !f.seek(place->offset))
        return {};
    return f.read(place->size);
}

QString VersionFromBlock(const QByteArray& block) {
    if (block.size() < 2)
        return {};
    QString text(block.size() / 2, QChar());
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(static_cast<char16_t>(static_cast<uchar>(block[2 * i]) |
                                              static_cast<uchar>(block[2 * i + 1]) << 8));
    const qsizetype p1 = text.indexOf(u"FileVersion", 0, Qt::CaseInsensitive);
    const qsizetype p2 = text.indexOf(u"ProductVersion", 0, Qt::CaseInsensitive);
    if (p1 < 0 || p2 < 0)
        return {};
    // The value with the zero characters around it; a block with the keys the other
    // way round has no value between them.
    const qsizetype count = p2 - p1 - 15;
    if (count <= 0)
        return {};
    QString out;
    for (const QChar c : text.mid(p1 + 11, count)) {
        if ((c >= u'0' && c <= u'9') || c == u'.')
            out.append(c);
    }
    return out;
}

QString FileVersionText(const QString& path) {
    return VersionFromBlock(ReadVersionBlock(path));
}

QString OwnVersion() {
    const QString self = QCoreApplication::instance() ? QCoreApplication::applicationFilePath()
                                                      : QStringLiteral("/proc/self/exe");
    return FileVersionText(self);
}

bool StampFileVersion(const QString& path, const QString& version, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (version.size() > static_cast<qsizetype>(kValueRoom))
        return fail(QStringLiteral("The version text is longer than %1 characters").arg(kValueRoom));
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return fail(f.errorString());
    const auto place = findSection(f);
    if (!place || place->size != static_cast<qint64>(kBlockUnits * 2))
        return fail(QStringLiteral("%1 carries no version block").arg(path));
    const Block block = MakeBlock(version.toLatin1().constData());
    QByteArray bytes(static_cast<qsizetype>(kBlockUnits * 2), '\0');
    for (std::size_t i = 0; i < kBlockUnits; ++i) {
        bytes[2 * i] = static_cast<char>(block[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(block[i] >> 8);
    }
    if (!f.seek(place->offset) || f.write(bytes) != bytes.size() || !f.flush())
        return fail(f.errorString());
    return true;
}

} // namespace lumo::version
