#include "platform/sound/WaveOutput.h"

#include <QLibrary>

namespace lumo::sound {

std::unique_ptr<WaveOutput> LoadWaveOutput(const QString& folder) {
    // The module stays loaded for the life of the process: it is never unloaded.
    QLibrary module(folder + u'/' + QLatin1String(kWaveOutputModule));
    auto create = reinterpret_cast<CreateWaveOutputFunction>(module.resolve(kCreateWaveOutputSymbol));
    return std::unique_ptr<WaveOutput>(create ? create() : nullptr);
}

} // namespace lumo::sound
