#include "PrintFixture.h"

#include "core/AppContext.h"
#include "core/HerbDb.h"
#include "core/ScreenProfile.h"
#include "core/Settings.h"
#include "library/CKelErr.h"
#include "library/CKelSrv.h"
#include "mainwindow/HerbRecordComposer.h"
#include "platform/db/Connection.h"
#include "platform/rtf/RtfReader.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/RichTextBox.h"
#include "platform/ui/RtfJoin.h"
#include "print/MPrint.h"
#include "print/Printers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>

namespace lumo::test {

QString SampleRecordRtf(int copies) {
    static QString record;
    if (record.isEmpty()) {
        ProgramSettings settings;
        SetSegmentTitles(settings);
        ApplyScreenProfile(settings, 3, QString());
        settings.NamesLang = 1;
        settings.Language = 1;
        db::Connection connection;
        connection.open(qEnvironmentVariable("LUMO_BUILD_DIR") + QStringLiteral("/data/Lumo.mdb"),
                        DatabasePassword());
        CKelSrv srv;
        HerbRecordComposer composer(connection, settings, srv, nullptr);
        RecordRequest request;
        request.Languages = {
            {1, QStringLiteral("Česky")}, {2, QStringLiteral("Latinsky")}, {8, QStringLiteral("Rusky")}};
        request.Shown.fill(true);
        for (long idx = 1; idx < 50 && record.isEmpty(); ++idx) {
            request.Idx = idx;
            request.HerbName = QStringLiteral("Bylina");
            const ComposedRecord r = composer.NactiBylinu(request);
            if (r.outcome == ComposedRecord::Outcome::Composed && r.Rtf.size() > 4000)
                record = r.Rtf;
        }
    }
    QString joined = record;
    for (int i = 1; i < copies; ++i)
        joined = ui::JoinRtf(joined, record);
    return joined;
}

QString PlainTextOf(const QString& rtf) {
    ui::RichTextBox box;
    box.setTextRTF(rtf);
    return box.Text();
}

void press(QWidget* target, int key, Qt::KeyboardModifiers mods) {
    QKeyEvent down(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(target, &down);
}

std::optional<QString> RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(5000) || !p.waitForFinished(120000) || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput());
}

void PrintFixture::SetUp() {
    App().ErrObj = std::make_unique<CKelErr>();
    App().Settings = ProgramSettings{}; // the database is the program folder's "Lumo.mdb"
    PrintSettings() = PrintSettingsRecord{};
    ASSERT_TRUE(print::SelectPrinter(print::PdfPrinterName()));
    print::SetPdfOutputFile(QString());
    dialogs.emplace([](QDialog&) { return std::optional<int>(0); });
}

void PrintFixture::TearDown() {
    dialogs.reset();
    print::SetPdfOutputFile(QString());
    App().ReleaseObjects();
}

QString PrintFixture::errorLog() const {
    return text::decodeAnsi(dir.read(QStringLiteral("Errors.txt")));
}

} // namespace lumo::test
