#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lumo::test {

// An AISLP installation in a folder: the program "MVAW.exe" (a script that writes its
// arguments, one a line, to "args.txt"), the test communication library as
// "mvawcom.so" and the folder of articles it answers from.
class AislpInstall {
public:
    explicit AislpInstall(const QString& folder, bool withLibrary = true);

    QString folder() const { return m_folder; }
    // The path AISLPCmd names.
    QString program() const { return m_folder + QStringLiteral("/MVAW.exe"); }
    // The article for a preparation code, as the library's bytes (Windows-1250).
    void addArticle(const QString& code, const QString& article) const;
    // The library's calls since the last clear.
    QStringList calls() const;
    void clearCalls() const;
    // The arguments the program received ({} when it has not run).
    QStringList arguments() const;

    // The built test library.
    static QString libraryFile();

private:
    QString m_folder;
};

} // namespace lumo::test
