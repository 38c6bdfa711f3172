#pragma once

#include <QString>

namespace lumo::err {

// The standard run-time error numbers the program raises or reports.
enum RunTimeError : long {
    errInvalidCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscript = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errOutOfStack = 28,
    errBadFileName = 52,
    errFileNotFound = 53,
    errBadFileMode = 54,
    errFileAlreadyOpen = 55,
    errDeviceIo = 57,
    errFileExists = 58,
    errDiskFull = 61,
    errInputPastEnd = 62,
    errTooManyFiles = 67,
    errDeviceUnavailable = 68,
    errPermissionDenied = 70,
    errDiskNotReady = 71,
    errRenameAcrossDisk = 74,
    errPathFileAccess = 75,
    errPathNotFound = 76,
    errObjectNotSet = 91,
    errInvalidNull = 94,
    errInvalidFileFormat = 321,
};

// The usual English text of a standard run-time error ("Application-defined or
// object-defined error" for numbers without one).
QString StandardErrorText(long number);

} // namespace lumo::err
