#include "mainwindow/HerbRecordFixture.h"

#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/HerbRecordComposer.h"
#include "platform/DbFixture.h"
#include "platform/db/Connection.h"
#include "platform/rtf/FontMap.h"
#include "platform/rtf/RtfUnits.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/Units.h"

#include <QFile>
#include <QTextBlock>

namespace lumo::test {
namespace {

// The composer on RecordDatabase with the default profile.
class Composer : public FrmMainFixture {
protected:
    void SetUp() override {
        FrmMainFixture::SetUp();
        openDatabase(RecordDatabase());
        settings = App().Settings;
        request.Languages = {{1, QStringLiteral("Česky")},     {2, QStringLiteral("Latinsky")},
                             {3, QStringLiteral("Slovensky")}, {4, QStringLiteral("Německy")},
                             {5, QStringLiteral("Anglicky")},  {6, QStringLiteral("Francouzsky")},
                             {7, QStringLiteral("Španělsky")}, {8, QStringLiteral("Rusky")},
                             {9, QStringLiteral("Lidově")}};
        request.Shown.fill(true);
    }

    ComposedRecord compose(long idx, const QString& name,
                           const HerbRecordComposer::KeepGoing& keepGoing = {}) {
        request.Idx = idx;
        request.HerbName = name;
        composer = std::make_unique<HerbRecordComposer>(*App().DbConnection, settings, *App().SrvObj,
                                                        App().ErrObj.get());
        const ComposedRecord record = composer->NactiBylinu(request, keepGoing);
        box.setTextRTF(record.Rtf);
        return record;
    }
    QStringList lines() const { return BoxLines(box); }
    int lineOf(const QString& line) const { return static_cast<int>(lines().indexOf(line)); }
    long colourAt(int pos) const { return ui::ColorToOle(box.charFormatAt(pos).foreground().color()); }

    ProgramSettings settings;
    RecordRequest request;
    std::unique_ptr<HerbRecordComposer> composer;
    ui::RichTextBox box;
};

TEST_F(Composer, NamesBlockThenTheSectionsInProfileOrder) {
    const ComposedRecord record = compose(1, QStringLiteral("Máta peprná"));
    EXPECT_EQ(record.outcome, ComposedRecord::Outcome::Composed);
    const QStringList expected{QStringLiteral("Máta peprná"),
                               QString(),
                               QStringLiteral("Český název: Máta peprná"),
                               QStringLiteral("Zkrácený název: Máta"),
                               QStringLiteral("Latinsky: Mentha piperita"),
                               QStringLiteral("Slovensky: Mäta pieporná"),
                               QString(),
                               QStringLiteral("Lidově: peprmintka, máta"),
                               QString(),
                               QStringLiteral("Čeleď: hluchavkovité (Lamiaceae)")};
    EXPECT_EQ(lines().mid(0, expected.size()), expected);
    int previous = 0;
    for (const char* heading : {"Indikační skupina:", "Účinné látky:", "Indikace:", "Lékové formy:",
                                "Kontraindikace:", "Bez dvojtečky"}) {
        const int at = lineOf(QString::fromUtf8(heading));
        EXPECT_GT(at, previous) << heading;
        previous = at;
    }
    EXPECT_FALSE(box.Text().contains(QStringLiteral("mimo jazyky")));
    // Title: centred, bold, the profile's size and dark red; everything in the profile's font.
    const QTextCharFormat title = box.charFormatAt(0);
    EXPECT_TRUE(title.font().bold());
    EXPECT_EQ(title.fontPointSize(), settings.Names.TitleSize);
    EXPECT_EQ(colourAt(0), PaletteColor(settings.Names.TitleColor));
    box.setSelStart(0);
    EXPECT_EQ(box.SelAlignment(), ui::AlignCenter);
    for (qsizetype pos : {qsizetype(0), box.Text().indexOf(QStringLiteral("Mentha")),
                          box.Text().indexOf(QStringLiteral("Dlouhý"))})
        EXPECT_EQ(rtf::FaceName(box.charFormatAt(int(pos))), QStringLiteral("Arial CE")) << pos;
    // Section headings keep their stored green; the caption is their first line.
    EXPECT_EQ(colourAt(box.Text().indexOf(QStringLiteral("Indikace:"))), 0x8000);
    EXPECT_EQ(record.Captions[3], QStringLiteral("Indikace:"));
    EXPECT_EQ(record.ButtonEnabled[1], true);
    EXPECT_TRUE(reports.isEmpty()) << reports.join(u';').toStdString();
}

TEST_F(Composer, NamesBlockIsTheStoredRichText) {
    settings.Names.NameSize = 11;
    compose(1, QStringLiteral("Máta peprná"));
    EXPECT_TRUE(composer->SestavNazvy().startsWith(QStringLiteral(
        "\\qc \\cf5\\b\\i0\\f2\\fs80 Máta peprná \\par \\li240\\ql\\par \\cf2\\b\\i0\\f2\\fs48 Český název: "
        "\\cf1\\b0\\i0\\f2\\fs22 Máta peprná \\par ")));
}

TEST_F(Composer, BracesAndNamesOutsideTheCodePageSurvive) {
    compose(4, QStringLiteral("Šalvěj {lékařská}"));
    EXPECT_EQ(lines().at(0), QStringLiteral("Šalvěj {lékařská}"));
    EXPECT_GE(lineOf(QStringLiteral("Rusky: Шалфей")), 0);
    // No folk names and no family row: the labels stay, each on its line, without empty brackets.
    const int folk = lineOf(QStringLiteral("Lidově:"));
    ASSERT_GE(folk, 0) << lines().join(u'|').toStdString();
    EXPECT_EQ(lines().mid(folk, 3),
              (QStringList{QStringLiteral("Lidově:"), QString(), QStringLiteral("Čeleď:")}));
}

TEST_F(Composer, ProfileDecidesOrderVisibilityAndButtons) {
    settings.Segments[1].Index = 2;
    settings.Segments[2].Index = 1;
    settings.Segments[3].Index = 1; // claims a taken position: never shown
    settings.Segments[4].Enabled = false;
    request.Shown[5] = false;
    const ComposedRecord record = compose(1, QStringLiteral("Máta peprná"));
    EXPECT_LT(lineOf(QStringLiteral("Účinné látky:")), lineOf(QStringLiteral("Indikační skupina:")));
    for (const char* absent : {"Indikace:", "Lékové formy:", "Kontraindikace:"})
        EXPECT_EQ(lineOf(QString::fromUtf8(absent)), -1) << absent;
    EXPECT_EQ(record.ButtonEnabled[4], false);
    EXPECT_EQ(record.ButtonEnabled[5], true); // hidden, still enabled
    EXPECT_FALSE(record.ButtonEnabled[3].has_value());
}

TEST_F(Composer, SectionHeadingTakesTheTitleSizeUpToItsColon) {
    settings.EnableSegmentDef = true;
    settings.Segments[3].TitleSize = 14;
    settings.Segments[3].TextSize = 9;
    settings.Segments[6].TitleSize = 14;
    settings.Segments[6].TextSize = 9;
    compose(1, QStringLiteral("Máta peprná"));
    const int heading = box.Text().indexOf(QStringLiteral("Indikace:"));
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(box.charFormatAt(heading + i).fontPointSize(), 14) << i;
        EXPECT_TRUE(box.charFormatAt(heading + i).font().bold()) << i;
    }
    const int body = box.Text().indexOf(QStringLiteral("Dlouhý"), heading);
    EXPECT_EQ(box.charFormatAt(body).fontPointSize(), 9);
    EXPECT_FALSE(box.charFormatAt(body).font().bold());
    EXPECT_EQ(colourAt(heading), 0x8000); // colours are left as stored
    box.setSelStart(body);
    EXPECT_EQ(box.SelIndent(), settings.Segments[3].LeftIndent);
    // Without a colon only the first character is the heading.
    const int plain = box.Text().indexOf(QStringLiteral("Bez dvojtečky"));
    EXPECT_EQ(box.charFormatAt(plain).fontPointSize(), 14);
    EXPECT_EQ(box.charFormatAt(plain + 2).fontPointSize(), 9);
}

// A stored list item hangs its first line out to the left; the section's indent places that
// first line, and the lines below keep their offset.
TEST_F(Composer, HangingParagraphsStartAtTheSectionIndent) {
    QStringList db = RecordDatabase();
    db << QStringLiteral("UPDATE Texty SET Clanek='{\\rtf1\\ansi {\\cf1 Dávkování:}\\par "
                         "\\pard\\fi-360\\li720 - dvakrát denně\\par}' WHERE IdxByliny=1 AND IdxTyp=4");
    App().DbConnection.reset();
    QFile::remove(dir.file(QStringLiteral("Lumo.mdb")));
    openDatabase(db);
    settings.Segments[4].LeftIndent = 240;
    for (bool safeText : {false, true}) {
        settings.SafeText = safeText;
        compose(1, QStringLiteral("Máta peprná"));
        QTextBlock item = box.document()->begin();
        while (item.isValid() && !item.text().startsWith(QStringLiteral("- dvakrát")))
            item = item.next();
        ASSERT_TRUE(item.isValid()) << safeText;
        const QTextBlockFormat f = item.blockFormat();
        EXPECT_EQ(rtf::TwipsFromBlockUnits(f.leftMargin() + f.textIndent()), 240) << safeText;
        if (!safeText) {
            EXPECT_EQ(rtf::TwipsFromBlockUnits(f.textIndent()), -360);
        }
    }
}

TEST_F(Composer, PlainTextSectionsTakeTheProfileColours) {
    settings.SafeText = true;
    settings.Segments[2].TitleColor = 12;
    settings.Segments[2].TitleSize = 16;
    settings.Segments[2].TextColor = 1;
    settings.Segments[2].TextSize = 11;
    const ComposedRecord record = compose(1, QStringLiteral("Máta peprná"));
    const int heading = box.Text().indexOf(QStringLiteral("Účinné látky:"));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(colourAt(heading), 0x0000FF);
    EXPECT_EQ(box.charFormatAt(heading).fontPointSize(), 16);
    EXPECT_TRUE(box.charFormatAt(heading).font().bold());
    const int body = box.Text().indexOf(QStringLiteral("Dlouhý"), heading);
    EXPECT_EQ(colourAt(body), 0x800000);
    EXPECT_EQ(box.charFormatAt(body).fontPointSize(), 11);
    EXPECT_EQ(record.Captions[2], QStringLiteral("Účinné látky:"));
    settings.Segments[2].LeftIndent = 600;
    compose(1, QStringLiteral("Máta peprná"));
    for (const char* part : {"Účinné látky:", "Dlouhý"}) {
        box.setSelStart(static_cast<int>(box.Text().indexOf(QString::fromUtf8(part), heading)));
        EXPECT_EQ(box.SelIndent(), 600) << part;
    }
    // A herb without a section's text adds no empty heading for it.
    compose(2, QStringLiteral("Heřmánek pravý"));
    QStringList sections = lines().mid(lineOf(QStringLiteral("Čeleď: hvězdnicovité (Asteraceae)")) + 1);
    sections.removeAll(QString());
    EXPECT_EQ(sections, (QStringList{QStringLiteral("Indikační skupina:"), QStringLiteral("Trávení.")}));
}

TEST_F(Composer, SwitchedOffSectionsShowTheArticleAlone) {
    settings.DisableSegmentSel = true;
    compose(1, QStringLiteral("Máta peprná"));
    EXPECT_EQ(box.Text().trimmed(), QStringLiteral("Článek o mátě peprné\r\nDruhý odstavec"));
}

TEST_F(Composer, SearchExpressionIsMarkedEverywhere) {
    request.FindText = QStringLiteral("MÁTA");
    compose(1, QStringLiteral("Máta peprná"));
    const QString text = box.Text();
    int count = 0;
    for (qsizetype at = text.indexOf(QStringLiteral("máta"), 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(QStringLiteral("máta"), at + 1, Qt::CaseInsensitive), ++count) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(colourAt(int(at) + i), 0x0000FF) << at;
            EXPECT_TRUE(box.charFormatAt(int(at) + i).fontUnderline()) << at;
        }
    }
    EXPECT_EQ(count, 4); // title, Czech and short name, folk name
    EXPECT_FALSE(box.charFormatAt(text.indexOf(QStringLiteral("peprná"))).fontUnderline());
}

// A damaged section of one paragraph holding the expression tens of thousands of times is
// marked in one edit: marking each occurrence on its own took minutes.
TEST_F(Composer, ThousandsOfOccurrencesInOneParagraphAreAllMarked) {
    App().DbConnection.reset();
    QFile::remove(dir.file(QStringLiteral("Lumo.mdb")));
    openDatabase(RecordDatabase() << QStringLiteral("INSERT INTO Texty VALUES (2,2,'%1')")
                                         .arg(SectionRtf(QStringLiteral("Účinné látky:"),
                                                         QStringLiteral("\\}x ").repeated(30000))));
    request.FindText = QStringLiteral("}");
    compose(2, QStringLiteral("Heřmánek pravý"));
    const QString text = box.Text();
    int marked = 0;
    for (qsizetype at = text.indexOf(u'}'); at >= 0; at = text.indexOf(u'}', at + 1)) {
        marked += box.charFormatAt(int(at)).fontUnderline() && colourAt(int(at)) == 0x0000FF;
        EXPECT_FALSE(box.charFormatAt(int(at) + 1).fontUnderline());
    }
    EXPECT_EQ(marked, 30000);
}

// Stored texts the reader finds damaged are reported as their loader's failures, with the
// reader's reason, and what was readable stays in the record with the sections after it.
TEST_F(Composer, DamagedStoredTextsAreReportedAndTheirReadablePartShown) {
    App().DbConnection.reset();
    QFile::remove(dir.file(QStringLiteral("Lumo.mdb")));
    openDatabase(
        RecordDatabase() << QStringLiteral(
                                "INSERT INTO Texty VALUES (2,2,'{\\rtf1 Čitelný začátek\\par}} konec'),"
                                "(2,3,'{\\rtf1 Indikace: trávení\\par}')")
                         << QStringLiteral("INSERT INTO Clanky VALUES (2,'{\\rtf1 Článek {o heřmánku')"));
    compose(2, QStringLiteral("Heřmánek pravý"));
    EXPECT_EQ(reports.count(QStringLiteral("Nelze načíst informace o bylině")), 1); // and herb 2 has no names
    EXPECT_GE(lineOf(QStringLiteral("Čitelný začátek")), 0);
    EXPECT_GT(lineOf(QStringLiteral("Indikace: trávení")), lineOf(QStringLiteral("Čitelný začátek")));
    QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-NactiText-Dokument RTF má nadbytečnou uzavírací "
                                            "závorku; text za ní se nečte.")))
        << log.toStdString();

    reports.clear();
    settings.DisableSegmentSel = true;
    compose(2, QStringLiteral("Heřmánek pravý"));
    EXPECT_EQ(reports.count(QStringLiteral("Nelze načíst informace o bylině")), 1);
    EXPECT_EQ(box.Text().trimmed(), QStringLiteral("Článek o heřmánku"));
    log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-NactiClanek-Dokument RTF není úplný")))
        << log.toStdString();
}

TEST_F(Composer, HerbWithoutNamesIsReportedAndStillShown) {
    compose(2, QStringLiteral("Heřmánek pravý"));
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst informace o názvech byliny")});
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-NazvyByliny"))) << log.toStdString();
    const int folk = lineOf(QStringLiteral("Lidově:"));
    EXPECT_EQ(lines().mid(folk, 3), (QStringList{QStringLiteral("Lidově:"), QString(),
                                                 QStringLiteral("Čeleď: hvězdnicovité (Asteraceae)")}))
        << lines().join(u'|').toStdString();
    EXPECT_EQ(lines().at(2), QStringLiteral("Český název: Heřmánek pravý"));
}

TEST_F(Composer, MissingHerbAndNullColumns) {
    ComposedRecord record = compose(77, QStringLiteral("Nic"));
    EXPECT_EQ(record.outcome, ComposedRecord::Outcome::NoHerb);
    EXPECT_EQ(box.Text().trimmed(), QStringLiteral("Nejsou k dispozici žádné informace"));
    EXPECT_TRUE(box.charFormatAt(1).font().bold());
    EXPECT_TRUE(box.charFormatAt(1).font().italic());
    EXPECT_TRUE(reports.isEmpty());
    // Null name, short name and family read as empty: only the missing names are reported.
    record = compose(3, QString());
    EXPECT_EQ(record.outcome, ComposedRecord::Outcome::Composed);
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst informace o názvech byliny")});
    EXPECT_GE(lineOf(QStringLiteral("Český název:")), 0);
}

TEST_F(Composer, FailedHerbNeverShowsThePreviousOne) {
    compose(1, QStringLiteral("Máta peprná"));
    const ComposedRecord record = composer->NactiBylinu([this] {
        request.Idx = 5;
        return request;
    }());
    EXPECT_EQ(record.outcome, ComposedRecord::Outcome::Failed);
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst informace o bylině")});
    box.setTextRTF(record.Rtf);
    EXPECT_FALSE(box.Text().contains(QStringLiteral("Máta")));
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-NactiBylinu-"))) << log.toStdString();
}

TEST_F(Composer, FailingSectionQueryIsReportedAndTheRestComposed) {
    App().DbConnection->close();
    const QString path = dir.file(QStringLiteral("Broken.mdb"));
    QStringList statements = RecordDatabase();
    statements.removeIf([](const QString& s) { return s.contains(QStringLiteral("Texty")); });
    WriteDatabase(path, QString(), statements);
    App().DbConnection->open(path, QString());
    settings.Segments[2].Enabled = false;
    for (int i = 3; i <= kSegmentCount; ++i)
        settings.Segments[i].Enabled = false;
    const ComposedRecord record = compose(1, QStringLiteral("Máta peprná"));
    EXPECT_EQ(record.outcome, ComposedRecord::Outcome::Composed);
    EXPECT_EQ(reports, QStringList{QStringLiteral("Nelze načíst informace o bylině")});
    const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
    EXPECT_TRUE(log.contains(QStringLiteral("LUMO-FrmMain-NactiText-"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("System: "))) << log.toStdString();
    EXPECT_EQ(lines().at(0), QStringLiteral("Máta peprná"));
}

// Each reader's run-time failure: its number, message with the engine's text, title and
// location, while the rest of the record is still composed.
TEST_F(Composer, RunTimeFailuresOfTheNamesFamilyAndArticleReaders) {
    const struct {
        const char* table;
        int number;
        const char* message;
        const char* title;
        const char* location;
    } cases[] = {
        {"Nazvy", 9, "Nelze načíst informace o názvech byliny, kontaktujte technickou podporu",
         "Nelze načíst informace o podporovaných názvech byliny", "LUMO-FrmMain-NactiNazvyByliny-"},
        {"Celedi", 30, "Nelze načíst informace o čeledi, kontaktujte technickou podporu",
         "Nelze načíst informace o čeledi", "LUMO-FrmMain-NactiCeledByliny-"},
        {"Clanky", 52, "Nelze načíst informace o bylině, kontaktujte technickou podporu",
         "Nelze načíst informace o bylině", "LUMO-FrmMain-NactiClanek-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        App().DbConnection->close();
        QFile::remove(dir.file(QStringLiteral("Errors.txt")));
        reports.clear();
        const QString path = dir.file(QString::fromLatin1(c.table) + QStringLiteral(".mdb"));
        QStringList statements = RecordDatabase();
        statements.removeIf([&](const QString& s) {
            return s.contains(QStringLiteral(" ") + QString::fromLatin1(c.table) + QStringLiteral(" ")) ||
                   s.contains(QStringLiteral(" ") + QString::fromLatin1(c.table) + QStringLiteral("("));
        });
        WriteDatabase(path, QString(), statements);
        App().DbConnection->open(path, QString());
        settings.DisableSegmentSel = c.number == 52; // the article alone
        const ComposedRecord record = compose(1, QStringLiteral("Máta peprná"));
        EXPECT_EQ(record.outcome, ComposedRecord::Outcome::Composed);
        if (c.number != 52) {
            EXPECT_EQ(lines().at(0), QStringLiteral("Máta peprná"));
        }
        EXPECT_EQ(reports, QStringList{QString::fromUtf8(c.title)});
        const QString log = text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
        EXPECT_TRUE(log.contains(QStringLiteral("\r\nChyba: %1 ").arg(c.number))) << log.toStdString();
        EXPECT_TRUE(log.contains(QStringLiteral("[%1]\r\nZdroj: %2")
                                     .arg(QString::fromUtf8(c.title), QString::fromLatin1(c.location))))
            << log.toStdString();
        EXPECT_TRUE(log.contains(QStringLiteral("Popis: %1\r\nSystem: ").arg(QString::fromUtf8(c.message))))
            << log.toStdString();
    }
}

TEST_F(Composer, SupersededCompositionStopsAtTheNextProbe) {
    // Position p probes the records until one claims it: 0 (record 1), 22..23, 44..46, ...
    std::vector<int> probes;
    const ComposedRecord record = compose(1, QStringLiteral("Máta peprná"), [&](int progress) {
        probes.push_back(progress);
        return probes.size() < 6;
    });
    EXPECT_EQ(record.outcome, ComposedRecord::Outcome::Superseded);
    EXPECT_TRUE(record.Rtf.isEmpty());
    EXPECT_EQ(probes, (std::vector<int>{0, 22, 23, 44, 45, 46}));
    // A search highlight is stopped too, whatever else is set.
    request.FindText = QStringLiteral("máta");
    EXPECT_EQ(compose(1, QStringLiteral("Máta peprná"), [](int progress) { return progress >= 0; }).outcome,
              ComposedRecord::Outcome::Superseded);
    settings.DisableSegmentSel = true;
    EXPECT_EQ(compose(1, QStringLiteral("Máta peprná"), [](int) { return false; }).outcome,
              ComposedRecord::Outcome::Superseded);
}

TEST(PaletteColor, SixteenColoursAndBlackOutside) {
    const std::pair<long, long> cases[] = {{0, 0x000000},  {1, 0x800000}, {2, 0x008000},  {4, 0x000080},
                                           {7, 0xC0C0C0},  {9, 0xFF0000}, {12, 0x0000FF}, {14, 0x00FFFF},
                                           {15, 0xFFFFFF}, {16, 0},       {-1, 0}};
    for (const auto& [number, colour] : cases)
        EXPECT_EQ(PaletteColor(number), colour) << number;
}

} // namespace
} // namespace lumo::test
