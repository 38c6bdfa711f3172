#include "common/TempProgramDir.h"

#include <QFile>

namespace lumo::test {

TempProgramDir::TempProgramDir() {
    m_hadPrevious = qEnvironmentVariableIsSet("LUMO_PROGRAM_DIR");
    m_previous = qgetenv("LUMO_PROGRAM_DIR");
    qputenv("LUMO_PROGRAM_DIR", m_dir.path().toLocal8Bit());
}

TempProgramDir::~TempProgramDir() {
    if (m_hadPrevious)
        qputenv("LUMO_PROGRAM_DIR", m_previous);
    else
        qunsetenv("LUMO_PROGRAM_DIR");
}

QByteArray TempProgramDir::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempProgramDir::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace lumo::test
