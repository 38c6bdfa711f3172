#pragma once

#include <QString>

namespace lumo::bench {

// Opens the database at path once for a benchmark program, with the service objects.
void OpenDatabase(const QString& path);

// Opens the synthetic 2,000-herb database once for a benchmark program, with the service
// objects, the section titles, screen profile 3, Czech names and interface and the month names.
void OpenSyntheticDatabase();

} // namespace lumo::bench
