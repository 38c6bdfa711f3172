#include "platform/text/AnsiText.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

#include <fcntl.h>

namespace lumo::text {

namespace {
constexpr const char* kCodePage = "windows-1250";
}

QString decodeAnsi(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

QByteArray encodeAnsi(const QString& text) {
    // The encoder does not report single failures, so map unrepresentable
    // characters to '?' one by one as the Windows ANSI conversion does.
    QByteArray out;
    out.reserve(text.size());
    QStringEncoder encoder(kCodePage);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            out.append(char(c.unicode()));
            continue;
        }
        qsizetype len = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one(kCodePage, QStringConverter::Flag::Stateless);
        QByteArray b = one.encode(QStringView(text).mid(i, len));
        if (one.hasError() || b.size() != 1 || decodeAnsi(b) != text.mid(i, len))
            out.append('?');
        else
            out.append(b);
        i += len - 1;
    }
    return out;
}

bool isAnsiRepresentable(const QString& text) {
    return decodeAnsi(encodeAnsi(text)) == text;
}

QString toCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out.append(QStringLiteral("\r\n"));
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            out.append(QStringLiteral("\r\n"));
        } else {
            out.append(c);
        }
    }
    return out;
}

QString toLf(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\r', u'\n');
    return out;
}

bool readAnsiFile(const QString& path, QString& text, QString* error) {
    text.clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    text = decodeAnsi(f.readAll());
    return true;
}

namespace {

int g_temporaryFileFailures = 0;

// Rewriting in place must never leave half a file behind (a full disk): the room for the
// new bytes is taken before the old ones are overwritten, and a write that fails anyway
// puts the old bytes back.
bool writeInPlace(const QString& path, const QByteArray& bytes, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray old = f.readAll();
    if (bytes.size() > old.size()) {
        if (const int rc = ::posix_fallocate(f.handle(), 0, bytes.size()); rc != 0) {
            f.resize(old.size()); // an emulated reservation may have grown the file
            if (error)
                *error = QString::fromLocal8Bit(std::strerror(rc));
            return false;
        }
    }
    if (f.seek(0) && f.write(bytes) == bytes.size() && f.resize(bytes.size()))
        return true;
    if (error)
        *error = f.errorString();
    if (f.seek(0) && f.write(old) == old.size())
        f.resize(old.size());
    return false;
}

} // namespace

ScopedTemporaryFileFailure::ScopedTemporaryFileFailure() {
    ++g_temporaryFileFailures;
}

ScopedTemporaryFileFailure::~ScopedTemporaryFileFailure() {
    --g_temporaryFileFailures;
}

bool writeFileBytes(const QString& path, const QByteArray& bytes, QString* error) {
    {
        QSaveFile f(path);
        if (g_temporaryFileFailures == 0 && f.open(QIODevice::WriteOnly)) {
            // The bytes must be in the temporary file before it replaces the old one: a write
            // that fails only as the buffer is flushed (disk full) is not seen by commit.
            if (f.write(bytes) != bytes.size() || !f.flush()) {
                if (error)
                    *error = f.errorString();
                return false; // the old file stays as it was
            }
            if (f.commit())
                return true;
        }
    }
    // A folder that takes no new file (read-only, while the file itself is writable) still
    // lets the file be rewritten where it is, as the Windows profile functions do.
    return writeInPlace(path, bytes, error);
}

QString rightTrimBlanks(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == u' ')
        --n;
    return text.left(n);
}

bool writeAnsiFile(const QString& path, const QString& text, QString* error) {
    return writeFileBytes(path, encodeAnsi(toCrLf(text)), error);
}

bool appendAnsiFile(const QString& path, const QString& text, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray bytes = encodeAnsi(toCrLf(text));
    if (f.write(bytes) != bytes.size() || !f.flush()) { // a full disk fails only at the flush
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace lumo::text
