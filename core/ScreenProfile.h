#pragma once

#include <QString>

namespace lumo {

struct ProgramSettings;

// The screen profile for a first start: 1 up to 800 pixels of screen width, 2 up to 1024, else 3.
int ChooseScreenProfile(int screenWidthPixels);

// Sets the display settings of screen profile 1, 2 or 3 (sizes by profile; colours, indents,
// font and language alike for all). InsertLine is on only for the old systems that needed
// the extra line. Leaves DisableSegmentSel, NamesLang, LogLevel, UpdateProfil, the titles
// and the main part alone. Returns false and changes nothing for any other profile.
bool ApplyScreenProfile(ProgramSettings& settings, int profile, const QString& osPlatform);

} // namespace lumo
