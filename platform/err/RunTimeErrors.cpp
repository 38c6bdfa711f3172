#include "platform/err/RunTimeErrors.h"

namespace lumo::err {

QString StandardErrorText(long number) {
    switch (number) {
    case 3:
        return QStringLiteral("Return without GoSub");
    case 5:
        return QStringLiteral("Invalid procedure call or argument");
    case 6:
        return QStringLiteral("Overflow");
    case 7:
        return QStringLiteral("Out of memory");
    case 9:
        return QStringLiteral("Subscript out of range");
    case 10:
        return QStringLiteral("This array is fixed or temporarily locked");
    case 11:
        return QStringLiteral("Division by zero");
    case 13:
        return QStringLiteral("Type mismatch");
    case 14:
        return QStringLiteral("Out of string space");
    case 28:
        return QStringLiteral("Out of stack space");
    case 35:
        return QStringLiteral("Sub or Function not defined");
    case 48:
        return QStringLiteral("Error in loading DLL");
    case 51:
        return QStringLiteral("Internal error");
    case 52:
        return QStringLiteral("Bad file name or number");
    case 53:
        return QStringLiteral("File not found");
    case 54:
        return QStringLiteral("Bad file mode");
    case 55:
        return QStringLiteral("File already open");
    case 57:
        return QStringLiteral("Device I/O error");
    case 58:
        return QStringLiteral("File already exists");
    case 59:
        return QStringLiteral("Bad record length");
    case 61:
        return QStringLiteral("Disk full");
    case 62:
        return QStringLiteral("Input past end of file");
    case 63:
        return QStringLiteral("Bad record number");
    case 67:
        return QStringLiteral("Too many files");
    case 68:
        return QStringLiteral("Device unavailable");
    case 70:
        return QStringLiteral("Permission denied");
    case 71:
        return QStringLiteral("Disk not ready");
    case 74:
        return QStringLiteral("Can't rename with different drive");
    case 75:
        return QStringLiteral("Path/File access error");
    case 76:
        return QStringLiteral("Path not found");
    case 91:
        return QStringLiteral("Object variable or With block variable not set");
    case 92:
        return QStringLiteral("For loop not initialized");
    case 93:
        return QStringLiteral("Invalid pattern string");
    case 94:
        return QStringLiteral("Invalid use of Null");
    case 321:
        return QStringLiteral("Invalid file format");
    case 429:
        return QStringLiteral("ActiveX component can't create object");
    case 438:
        return QStringLiteral("Object doesn't support this property or method");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

} // namespace lumo::err
