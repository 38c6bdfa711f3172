#include "library/CKelErr.h"

namespace lumo {
CKelErr::CKelErr() = default;
CKelErr::~CKelErr() = default;
} // namespace lumo
