#pragma once

#include <QString>
#include <QVariant>

namespace lumo {

// The service object: INI access, focus colours, running programs, log messages,
// numbers and bits, files, folders and drives, rich-text building.
class CKelSrv {
public:
    CKelSrv();
    ~CKelSrv();

    // --- service core (CKelSrv.cpp) ---

    // The whole value of Key (no length cut); Default when the file, section or key is missing.
    // With Numeric the result is an integer.
    QVariant ReadINI(const QString& FileName, const QString& Section, const QString& Key, const QVariant& Default,
                     bool Numeric = false) const;
    // Writes Key=Value; returns false when the file could not be written.
    bool WriteINI(const QString& FileName, const QString& Section, const QString& Key, const QString& Value);

    // --- files, folders and drives (CKelSrvFiles.cpp) ---

    // --- rich-text builders and rich-text-box functions (CKelSrvRtf.cpp) ---
};

} // namespace lumo
