#include "core/Settings.h"

#include "core/AppContext.h"
#include "core/SettingsKeys.h"
#include "library/CKelErr.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/ini/IniFile.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/ui/Units.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace lumo {

namespace {

constexpr int kBadValueNumber = 55;
constexpr int kBadSaveNumber = 56;
constexpr int kBadProfileNumber = 57;

const char* const kBuiltInTitles[26] = {
    "Název",
    "Indikační skupina",
    "Účinné látky",
    "Indikace",
    "Lékové formy",
    "Kontraindikace",
    "Kombinace s ostatními bylinami",
    "Léčivé přípravky jednosložkové",
    "Použití ve směsích",
    "Historie",
    "Legendy a mýty",
    "Výskyt",
    "Pěstování",
    "Botanický popis",
    "Sběr, sušení",
    "Jiné použití",
    "Použití v kuchyni",
    "Emocionální využití",
    "Použití v magii",
    "Aromaterapie",
    "Charakteristika TČM",
    "Veterinární použití",
    "Použití v kosmetice",
    "Sběr",
    "Kombinace",
    "Klíčová slova",
};

// The error object is missing before start-up creates it and after shut-down releases it.
// key: the value that could not be stored; none when the file itself could not be written
// (a full disk, a folder in its place), whose reason is given instead.
void reportSaveFailure(const QString& iniFile, const settings::KeyBinding* key, const QString& reason) {
    CKelErr* err = App().ErrObj.get();
    if (!err)
        return;
    QString message = QStringLiteral("Nelze uložit nastavení do souboru ") + iniFile;
    if (key)
        message += QStringLiteral(" (sekce ") + key->section + QStringLiteral(", klíč ") + key->key + u')';
    message += QStringLiteral(", změny nastavení nebudou zachovány");
    if (!key) {
        err::ErrorRecord cause;
        cause.Number = err::errPathFileAccess;
        cause.Description = reason.isEmpty() ? err::StandardErrorText(cause.Number) : reason;
        message = err::SystemText(message, cause);
    }
    err->ErrView(kBadSaveNumber, message, QStringLiteral("Nelze uložit nastavení"),
                 QStringLiteral("LUMO-LumoMain-SaveSettings-"));
}

// cause: the run-time error behind it (a file that cannot be read, or one that is no profile).
void reportUnreadableProfile(const QString& path, long cause) {
    CKelErr* err = App().ErrObj.get();
    if (!err)
        return;
    err::ErrorRecord reason;
    reason.Number = cause;
    reason.Description = err::StandardErrorText(cause);
    err->ErrView(kBadProfileNumber,
                 err::SystemText(QStringLiteral("Nelze načíst profil zobrazení ze souboru ") + path +
                                     QStringLiteral(", nastavení zobrazení zůstává beze změny"),
                                 reason),
                 QStringLiteral("Nelze načíst profil"), QStringLiteral("LUMO-FrmMain-mnuProfil_Click-"));
}

// A damaged file (binary data, emptied by a full disk) holds not one key of a profile.
bool holdsProfileKeys(const ini::IniFile& file) {
    ProgramSettings probe;
    for (const settings::KeyBinding& key : settings::ProfilePartKeys(probe))
        if (file.value(key.section, key.key))
            return true;
    return false;
}

// A value that does not convert is noted in the error log without a dialog: at start-up
// a report would be too loud, and the key's default serves well enough.
void logBadValue(const QString& iniFile, const settings::KeyBinding& key, const QString& text) {
    err::ErrorRecord mismatch;
    mismatch.Number = err::errTypeMismatch;
    mismatch.Description = err::StandardErrorText(err::errTypeMismatch);
    const QString message = QStringLiteral("Neplatná hodnota \"") + text + QStringLiteral("\" klíče ") +
                            key.key + QStringLiteral(" v sekci ") + key.section +
                            QStringLiteral(" souboru ") + iniFile +
                            QStringLiteral(", použita výchozí hodnota \"") + key.defaultText + u'"';
    const QString description = err::SystemText(message, mismatch);
    CKelErr* errObj = App().ErrObj.get();
    if (!errObj || !errObj->WriteErrorLog(kBadValueNumber, description, QStringLiteral("Chybné nastavení"),
                                          QStringLiteral("LUMO-LumoMain-LoadSettings-")))
        qWarning("%s", qPrintable(description));
}

QString storedName(const settings::KeyBinding& key) {
    return key.section + u'\n' + key.key;
}

// A key this run has not changed since the file was read keeps what the file holds now:
// another instance may have stored its own value there meanwhile. A key the file lacked, or
// whose text did not convert, is written.
bool unchangedSinceRead(const ProgramSettings& s, const ini::IniFile& file, const settings::KeyBinding& key) {
    if (s.Stored.file != file.fileName() || !file.value(key.section, key.key))
        return false;
    const auto read = s.Stored.texts.constFind(storedName(key));
    return read != s.Stored.texts.cend() && *read == key.text();
}

} // namespace

void SetSegmentTitles(ProgramSettings& s) {
    for (int i = s.SegmentTitles.first(); i <= s.SegmentTitles.last(); ++i)
        s.SegmentTitles[i] = QString::fromUtf8(kBuiltInTitles[i]);
}

void SetSegmentTitles() {
    SetSegmentTitles(App().Settings);
}

void LoadSettings(ProgramSettings& s, const QString& iniFile, bool onlyProfile, QSize screenTwips) {
    settings::KeyDefaults defaults;
    defaults.databaseLocation = paths::ProgramDir() + QStringLiteral("/Lumo.mdb");
    defaults.screenTwips = screenTwips;
    std::vector<settings::KeyBinding> keys;
    if (!onlyProfile)
        keys = settings::MainPartKeys(s, defaults);
    const std::vector<settings::KeyBinding> profile = settings::ProfilePartKeys(s);
    keys.insert(keys.end(), profile.begin(), profile.end());
    // One read of the file serves every key; a missing or unreadable file gives the defaults.
    ini::IniFile file;
    file.load(iniFile);
    if (!onlyProfile)
        s.Stored = StoredSettingsTexts{file.fileName(), {}};
    for (const settings::KeyBinding& key : keys) {
        const std::optional<QString> stored = file.value(key.section, key.key);
        if (stored && !onlyProfile)
            s.Stored.texts.insert(storedName(key), *stored);
        const QString text = stored.value_or(key.defaultText);
        // An empty number or switch counts as missing; an empty text is a value of its own.
        if (text.trimmed().isEmpty() && !key.isText()) {
            key.assign(key.defaultText);
        } else if (!key.assign(text)) {
            logBadValue(iniFile, key, text);
            key.assign(key.defaultText);
        }
    }
    // A section without a position of its own would never be shown.
    settings::RepairSegmentPositions(s);
}

bool SaveSettings(const ProgramSettings& s, const QString& iniFile, bool onlyProfile) {
    // The bindings point into the values they read; a copy keeps the caller's settings const.
    ProgramSettings values = s;
    const settings::KeyDefaults defaults;
    std::vector<settings::KeyBinding> keys;
    if (!onlyProfile)
        keys = settings::WriteOrder(settings::MainPartKeys(values, defaults));
    const std::vector<settings::KeyBinding> profile = settings::WriteOrder(settings::ProfilePartKeys(values));
    keys.insert(keys.end(), profile.begin(), profile.end());
    // All keys go into the file's lines in memory and the file is replaced once:
    // a write per key would rewrite and sync the whole file hundreds of times.
    ini::IniFile file;
    const settings::KeyBinding* failed = nullptr;
    QString reason;
    bool fileFailed = !file.load(iniFile, &reason);
    if (!fileFailed) {
        const QString before = file.text();
        for (const settings::KeyBinding& key : keys) {
            if (!onlyProfile && unchangedSinceRead(s, file, key))
                continue;
            if (!file.setValue(key.section, key.key, key.text()) && !failed)
                failed = &key;
        }
        // A file that already holds every value is left alone: a disk or folder that takes no
        // write (full, a read-only installation) loses nothing then and is no failure.
        const bool unchanged = file.exists() && file.text() == before;
        fileFailed = !unchanged && !file.save(&reason) && !failed && !keys.empty();
    }
    if (failed || fileFailed)
        reportSaveFailure(iniFile, failed, reason);
    return !failed && !fileFailed;
}

void LoadSettings(bool OnlyProfile) {
    AppContext& app = App();
    if (!app.SrvObj)
        return;
    LoadSettings(app.Settings, app.IniFile, OnlyProfile, ScreenSizeTwips());
}

bool SaveSettings(bool OnlyProfile) {
    AppContext& app = App();
    if (!app.SrvObj)
        return false;
    return SaveSettings(app.Settings, app.IniFile, OnlyProfile);
}

QString SettingsFilePath() {
    return paths::InProgramDir(QStringLiteral("Lumo.ini"));
}

QString ProfileFilePath(long n) {
    if (n < 1 || n > kProfileCount)
        return {};
    return paths::InProgramDir(QStringLiteral("Lumo") + QString::number(n) + QStringLiteral(".ini"));
}

bool LoadProfileFile(long n) {
    const QString path = ProfileFilePath(n);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    // A file that is there but cannot be read, or holds no profile at all, would give every
    // display setting its default, and closing would store those in "Lumo.ini": it is
    // reported and nothing changes.
    ini::IniFile file;
    if (!file.load(path)) {
        reportUnreadableProfile(path, err::errPathFileAccess);
        return false;
    }
    if (!holdsProfileKeys(file)) {
        reportUnreadableProfile(path, err::errInvalidFileFormat);
        return false;
    }
    AppContext& app = App();
    app.IniFile = path;
    LoadSettings(true);
    app.Settings.ProfilNumber = static_cast<qint16>(n);
    app.IniFile = SettingsFilePath();
    return true;
}

bool SaveProfileFile() {
    AppContext& app = App();
    const QString path = ProfileFilePath(app.Settings.ProfilNumber);
    if (path.isEmpty())
        return false;
    app.IniFile = path;
    const bool ok = SaveSettings(true);
    app.IniFile = SettingsFilePath();
    return ok;
}

QSize ScreenSizeTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {0, 0};
    const QSize px = screen->size();
    return {int(ui::PixelsToTwips(px.width())), int(ui::PixelsToTwips(px.height()))};
}

} // namespace lumo
