#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace lumo::test {

// A temporary program folder: LUMO_PROGRAM_DIR points at it for the fixture's life.
class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.path() + u'/' + name; }
    // Raw bytes of a file in the folder ("" when missing).
    QByteArray read(const QString& name) const;
    // Writes raw bytes to a file in the folder.
    void write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

} // namespace lumo::test
