#include "core/AppContext.h"

#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "platform/db/Connection.h"

namespace lumo {

AppContext::AppContext() = default;
AppContext::~AppContext() {
    ReleaseObjects();
}

void AppContext::ReleaseObjects() {
    HelpObj.reset();
    ErrObj.reset();
    PrinterObj.reset();
    SoundObj.reset();
    SrvObj.reset();
    DbConnection.reset();
    AISLPObj.reset();
    AISLPConnected = false; // no link without its object
}

AppContext& App() {
    static AppContext context;
    return context;
}

} // namespace lumo
