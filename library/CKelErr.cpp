#include "library/CKelErr.h"

namespace lumo {
CKelErr::CKelErr() = default;
CKelErr::~CKelErr() = default;

void CKelErr::ErrView(int, const QString&, const QString&, const QString&, long, const QString&, long, long, long,
                      long, long, const QString&, const QString&) {}
} // namespace lumo
