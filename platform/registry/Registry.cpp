#include "platform/registry/Registry.h"

#include "platform/ini/IniFile.h"

#include <QDir>
#include <QFileInfo>

namespace lumo::registry {

namespace {

QString valueKey(const QString& name) {
    return name.isEmpty() ? QStringLiteral("@") : name;
}

bool load(ini::IniFile& store, QString* error) {
    if (!store.load(StoreFile(), error))
        return false;
    // A file read as Windows-1250 (its mark damaged) is saved so, byte for byte: written as
    // UTF-8 its values would stay garbled for good.
    if (!store.exists() || store.encoding() != ini::TextEncoding::Ansi)
        store.setUtf8(true);
    return true;
}

} // namespace

QString StoreFile() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/zefirak/registry.ini");
}

std::optional<QString> ReadValue(const QString& key, const QString& name) {
    return ini::ReadValue(StoreFile(), key, valueKey(name));
}

bool WriteValue(const QString& key, const QString& name, const QString& value, QString* error) {
    const QString folder = QFileInfo(StoreFile()).path();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Složku %1 nelze vytvořit").arg(folder);
        return false;
    }
    ini::IniFile store;
    return load(store, error) && store.setValue(key, valueKey(name), value, error) && store.save(error);
}

bool DeleteValue(const QString& key, const QString& name, QString* error) {
    ini::IniFile store;
    if (!load(store, error))
        return false;
    if (!store.removeKey(key, valueKey(name)))
        return true;
    return store.save(error);
}

} // namespace lumo::registry
