#include "library/CKelSrv.h"

namespace lumo {
CKelSrv::CKelSrv() = default;
CKelSrv::~CKelSrv() = default;

QVariant CKelSrv::ReadINI(const QString&, const QString&, const QString&, const QVariant& Default, bool) const {
    return Default;
}

bool CKelSrv::WriteINI(const QString&, const QString&, const QString&, const QString&) {
    return false;
}
} // namespace lumo
