#pragma once

#include <QString>
#include <QStringList>

// The AISLP link of the start procedure: activation, the library check and the
// start of AISLP's program.
namespace lumo {

// File name of AISLP's communication plug-in.
inline constexpr char kAislpLibraryName[] = "mvawcom.so";

// Where the plug-in is looked for, in order: the folder of AISLPCmd, the folder "AISLP"
// at the root of the file system, the program folder. Only absolute paths: an empty or
// relative AISLPCmd gives no first candidate, and the current folder is never searched.
QStringList AislpLibraryCandidates();

// Creates the AISLP object into App().AISLPObj, gives it the folder of AISLPCmd and keeps
// whether it connected in App().AISLPConnected. A failure keeps the previous state; it is
// reported (number 54) only with ShowError.
void AktivujAISLP(bool ShowError);

// Checks that the first plug-in found loads (its registration); silent. True when it does.
bool RegisterAISLP();

// Starts AISLP's program with a command line (no shell). A failed start is reported
// (number 57) with location Location followed by the error text; false then.
bool SpustAISLP(const QString& CmdLine, bool Wait, const QString& Location);

} // namespace lumo
