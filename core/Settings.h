#pragma once

#include "core/IndexedArray.h"

#include <QHash>
#include <QSize>
#include <QString>

namespace lumo {

constexpr int kSegmentCount = 22;
constexpr int kProfileCount = 9;

// One section of the herb record: whether and where it is shown and how it is formatted.
// Colours are numbers 0..15 of the fixed 16-colour palette.
struct SegmentSettings {
    bool Enabled = false;
    qint16 Index = 0;
    qint16 TitleSize = 0;
    qint32 TitleColor = 0;
    qint16 TextSize = 0;
    qint32 TextColor = 0;
    qint32 LeftIndent = 0; // twips
    QString Caption;       // first line of the section text last loaded; never stored

    bool operator==(const SegmentSettings&) const = default;
};

// Style of the names block at the head of the herb record.
struct NamesStyle {
    qint16 TitleSize = 0;
    qint32 TitleColor = 0;
    qint16 SubTitleSize = 0;
    qint32 SubTitleColor = 0;
    qint16 NameSize = 0;
    qint32 NameColor = 0;
    qint32 LeftIndent = 0; // twips

    bool operator==(const NamesStyle&) const = default;
};

// What the settings file held at its last whole read, key by key ("section\nkey"). Not a
// setting: it takes no part in comparisons.
struct StoredSettingsTexts {
    QString file;
    QHash<QString, QString> texts;
    bool operator==(const StoredSettingsTexts&) const { return true; }
};

// Every settings value of the program. The main part lives only in "Lumo.ini"; the
// profile part is also read from and written to the display profile files.
// Before LoadSettings everything holds its type's empty value.
struct ProgramSettings {
    // Main part.
    QString DatabaseLocation;
    QString AISLPCmd;
    bool SyncAISLP = false;
    bool EscEnabled = false;
    bool MultipleRun = false;
    bool InsertLine = false;
    qint16 ProfilNumber = 0; // 0 or over 9: the first activation picks a screen profile
    qint32 Left = 0;         // main window placement, twips
    qint32 Top = 0;
    qint32 Width = 0;
    qint32 Height = 0;
    qint32 LeftSplit = 0;
    float LeftMargin = 0; // page margins, millimetres
    float TopMargin = 0;
    float RightMargin = 0;
    float BottomMargin = 0;
    bool DisableColors = false;
    IndexedArray<QString, 1, kProfileCount> ProfileNames;

    // Profile part.
    bool DisableSegmentSel = false;
    bool EnableSegmentDef = false;
    QString FontName;
    bool SafeText = false;
    qint32 Language = 0;  // interface language: 1 Czech, 2 Slovak
    qint16 NamesLang = 0; // language of the herb names in the lists, 1..9
    qint32 LogLevel = 0;
    bool UpdateProfil = false;
    IndexedArray<SegmentSettings, 1, kSegmentCount> Segments;
    NamesStyle Names;

    // Titles: 0 the names block, 1..22 the sections (stored as KeyName1..22), 23..25 search parts.
    IndexedArray<QString, 0, 25> SegmentTitles;

    // A save of the whole file leaves alone the keys this run has not changed, so that what
    // another running instance stored there meanwhile is kept.
    StoredSettingsTexts Stored;

    bool operator==(const ProgramSettings&) const = default;
};

// Fills SegmentTitles with the built-in Czech titles.
void SetSegmentTitles();
void SetSegmentTitles(ProgramSettings& settings);

// Reads App().IniFile into App().Settings: with OnlyProfile false the main part, then the
// profile part; with true only the profile part. A missing key gives its default; a value
// that does not convert gives its default too and leaves one entry in "Errors.txt".
void LoadSettings(bool OnlyProfile);
// Writes App().Settings to App().IniFile in the fixed key order: the main part unless
// OnlyProfile, then always the profile part. The first write failure is reported once and
// the remaining keys are still written. Returns false when any write failed.
bool SaveSettings(bool OnlyProfile);

// The same on explicit objects. screenTwips is the default window size.
void LoadSettings(ProgramSettings& settings, const QString& iniFile, bool onlyProfile, QSize screenTwips);
bool SaveSettings(const ProgramSettings& settings, const QString& iniFile, bool onlyProfile);

// "Lumo.ini" in the program folder, whatever the case of the name on disk.
QString SettingsFilePath();
// "Lumo<n>.ini" in the program folder; an existing file of any case ("LUMO1.INI") is found
// so it is read and updated rather than duplicated. Empty for n outside 1..9.
QString ProfileFilePath(long n);

// The profile menu: when the profile file of n exists, loads its profile part, makes n the
// current profile and returns true; otherwise changes nothing. IniFile stays "Lumo.ini".
bool LoadProfileFile(long n);
// The settings dialog's OK with UpdateProfil: writes the profile part to the current
// profile's file. False when ProfilNumber is not 1..9 or a write failed.
bool SaveProfileFile();

// The main window's default size: the primary screen in twips.
QSize ScreenSizeTwips();

} // namespace lumo
