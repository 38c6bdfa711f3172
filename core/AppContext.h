#pragma once

#include <memory>

namespace lumo {

class CKelErr;
class CKelSrv;

// The program-wide slots. Start-up creates the one instance of each service
// object here; nobody else creates them. Released in ReleaseObjects order.
struct AppContext {
    AppContext();
    ~AppContext();

    std::unique_ptr<CKelErr> ErrObj;
    std::unique_ptr<CKelSrv> SrvObj;
};

// The program's context.
AppContext& App();

} // namespace lumo
