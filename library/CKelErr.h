#pragma once

namespace lumo {

// The error object: the one entry through which every failure is reported.
class CKelErr {
public:
    CKelErr();
    ~CKelErr();
};

} // namespace lumo
