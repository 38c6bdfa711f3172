#pragma once

#include <QString>

// Starting outside programs from the installer. "RegSvr32 …" has nothing to register
// here and succeeds at once; "NotePad.exe <file>" opens the built-in text viewer.
namespace lumo::setup {

// Starts the command and waits until the program has ended. A program that cannot be
// started is reported (code 11) and false is returned.
bool RunApl(const QString& command);

// Starts the command and returns at once; failures are reported as by RunApl.
bool StartApl(const QString& command);

} // namespace lumo::setup
