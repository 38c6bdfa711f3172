#include "library/CKelSrv.h"

namespace lumo {
CKelSrv::CKelSrv() = default;
CKelSrv::~CKelSrv() = default;
} // namespace lumo
