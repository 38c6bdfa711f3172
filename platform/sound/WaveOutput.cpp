#include "platform/sound/WaveOutput.h"

#include "platform/process/Background.h"

#include <QLibrary>

namespace lumo::sound {

namespace {

QString modulePath(const QString& folder) {
    return folder + u'/' + QLatin1String(kWaveOutputModule);
}

std::shared_future<void>& preload() {
    static std::shared_future<void> loading;
    return loading;
}

} // namespace

void PreloadWaveOutput(const QString& folder) {
    if (preload().valid())
        return;
    // Mapping and relocating the multimedia libraries costs more than the rest of the module's use.
    preload() = process::RunInBackground([path = modulePath(folder)] { QLibrary(path).load(); });
}

std::unique_ptr<WaveOutput> LoadWaveOutput(const QString& folder) {
    if (preload().valid())
        preload().wait();
    // The module stays loaded for the life of the process: it is never unloaded.
    QLibrary module(modulePath(folder));
    auto create = reinterpret_cast<CreateWaveOutputFunction>(module.resolve(kCreateWaveOutputSymbol));
    return std::unique_ptr<WaveOutput>(create ? create() : nullptr);
}

} // namespace lumo::sound
