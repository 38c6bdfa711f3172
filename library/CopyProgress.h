#pragma once

#include <QString>

namespace lumo {

// The progress window shown while CKelSrv copies a file with progress. The display
// services provide the window; CKelSrv only drives it.
class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual void ShowProgress(const QString& Caption, const QString& Text) = 0;
    // 0 to 100.
    virtual void SetProgress(int Percent) = 0;
    virtual void HideProgress() = 0;
};

} // namespace lumo
