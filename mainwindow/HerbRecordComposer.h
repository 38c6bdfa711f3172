#pragma once

#include "core/Settings.h"
#include "platform/ui/Units.h"

#include <QString>
#include <QTextDocument>

#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace lumo::rtf {
struct ReadResult;
}

namespace lumo {

class CKelErr;
class CKelSrv;
namespace db {
class Connection;
}

// A number of the profile's 16-colour palette (0 black ... 15 white) as a colour value
// (0x00BBGGRR). Numbers outside 0..15 give black.
using ui::PaletteColor;

// What one composition needs besides the database and the profile.
struct RecordRequest {
    long Idx = 0;
    // The herb's name as the list shows it (the record's title).
    QString HerbName;
    // Names languages (Jazyk.Idx, caption) in the list's order; LangCount is their number.
    std::vector<std::pair<long, QString>> Languages;
    // Sections the section toolbar shows (index 1..22).
    std::array<bool, kSegmentCount + 1> Shown{};
    // The full-text search expression highlighted in the record.
    QString FindText;
};

// The outcome of a composition, applied by the view only when it is still current.
struct ComposedRecord {
    enum class Outcome { Composed, NoHerb, Failed, Superseded };
    Outcome outcome = Outcome::Composed;
    // The whole record as RTF (empty when superseded).
    QString Rtf;
    // Section toolbar buttons to enable or disable (index 1..22; unset: left as they are).
    std::array<std::optional<bool>, kSegmentCount + 1> ButtonEnabled;
    // First line of each section text loaded (index 1..22).
    std::array<std::optional<QString>, kSegmentCount + 1> Captions;
};

// Builds a herb's record as one rich-text document from the database and the display
// profile: the names block and the shown sections, or the herb's article alone. No widgets:
// the screen, the preview, printing and saving all take the document it returns.
class HerbRecordComposer {
public:
    // Asked before every section probe and every highlight step, with the progress value
    // (0..483 while probing, -1 after); false stops the composition (a newer one owns the
    // record).
    using KeepGoing = std::function<bool(int progress)>;
    static constexpr int kProgressMax = kSegmentCount * kSegmentCount - 1;

    // errObj may be null (nothing is reported then).
    HerbRecordComposer(db::Connection& connection, const ProgramSettings& settings, const CKelSrv& srv,
                       CKelErr* errObj);

    ComposedRecord NactiBylinu(const RecordRequest& request, const KeepGoing& keepGoing = {});

    // The steps, each usable on its own.
    void NazvyByliny(long Idx);
    void NactiCeledByliny(long Idx);
    QString SestavNazvy() const;
    QString NactiClanek(long Idx);
    QString NactiText(long Idx, int Typ, int Indent);
    void PridejRTF(const QString& Rtf);
    void PridejText(const QString& Title, const QString& Body, int Typ, int Indent);

    // The work document the record is composed in.
    const QTextDocument& work() const { return m_work; }

    QString HerbNazev;
    QString HerbKratkyNaz;
    std::vector<long> NamePos; // 1-based positions in Languages
    std::vector<QString> OtherNames;
    std::vector<QString> FolkNames;
    QString CeledNazev;
    QString CeledLatinsky;

private:
    bool composeSections(const RecordRequest& request, const KeepGoing& keepGoing, ComposedRecord& out);
    void addSection(long Idx, int j);
    bool highlight(const QString& findText, const KeepGoing& keepGoing);
    void applyFontName();
    // A stored text the reader found damaged: reported as the loader's run-time error, with what
    // was readable kept in the record.
    void reportDamaged(int number, const QString& location, const rtf::ReadResult& read) const;
    void report(int number, const QString& message, const QString& title, const QString& location,
                bool runTime) const;

    db::Connection& m_connection;
    const ProgramSettings& m_settings;
    const CKelSrv& m_srv;
    CKelErr* m_errObj;
    QString m_herbName;
    std::vector<std::pair<long, QString>> m_languages;
    std::array<std::optional<QString>, kSegmentCount + 1> m_captions;
    QTextDocument m_work;    // the hidden work box
    QTextDocument m_scratch; // where a section or the article is loaded and restyled
};

} // namespace lumo
