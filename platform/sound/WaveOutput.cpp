#include "platform/sound/WaveOutput.h"

#include <QFile>

#include <dlfcn.h>

namespace lumo::sound {

namespace {

// The module stays loaded for the life of the process: its handle is never closed.
void* openModule(const QString& folder) {
    const QString path = folder + u'/' + QLatin1String(kWaveOutputModule);
    return dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
}

} // namespace

std::unique_ptr<WaveOutput> LoadWaveOutput(const QString& folder) {
    void* module = openModule(folder);
    if (!module)
        return nullptr;
    auto create = reinterpret_cast<CreateWaveOutputFunction>(dlsym(module, kCreateWaveOutputSymbol));
    return std::unique_ptr<WaveOutput>(create ? create() : nullptr);
}

} // namespace lumo::sound
