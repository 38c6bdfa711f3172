#pragma once

#include <QString>

namespace lumo {

// The service object: INI access, focus colours, running programs, log messages,
// numbers and bits, files, folders and drives, rich-text building.
class CKelSrv {
public:
    CKelSrv();
    ~CKelSrv();

    // --- service core (CKelSrv.cpp) ---

    // --- files, folders and drives (CKelSrvFiles.cpp) ---

    // --- rich-text builders and rich-text-box functions (CKelSrvRtf.cpp) ---
};

} // namespace lumo
