#include "platform/db/CzechCollation.h"

#include <unicode/ucol.h>

#include <cstring>

namespace lumo::db {

CzechCollation::CzechCollation() {
    UErrorCode status = U_ZERO_ERROR;
    m_collator = ucol_open("cs", &status);
    if (U_FAILURE(status)) {
        // Without ICU's data the root order still sorts letters sensibly.
        status = U_ZERO_ERROR;
        m_collator = ucol_open("", &status);
        if (U_FAILURE(status))
            m_collator = nullptr;
    }
}

CzechCollation::~CzechCollation() {
    if (m_collator)
        ucol_close(m_collator);
}

int CzechCollation::compare(const char* a, int aLength, const char* b, int bLength) const {
    if (m_collator) {
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult r = ucol_strcollUTF8(m_collator, a, aLength, b, bLength, &status);
        if (U_SUCCESS(status))
            return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
    }
    const int n = std::memcmp(a, b, static_cast<size_t>(qMin(aLength, bLength)));
    return n != 0 ? n : aLength - bLength;
}

int CzechCollation::compare(const QString& a, const QString& b) const {
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return compare(ua.constData(), static_cast<int>(ua.size()), ub.constData(), static_cast<int>(ub.size()));
}

} // namespace lumo::db
