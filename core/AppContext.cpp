#include "core/AppContext.h"

#include "library/CKelErr.h"
#include "library/CKelSrv.h"

namespace lumo {

AppContext::AppContext() = default;
AppContext::~AppContext() = default;

AppContext& App() {
    static AppContext context;
    return context;
}

} // namespace lumo
