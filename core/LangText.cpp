#include "core/LangText.h"

#include "core/AppContext.h"
#include "library/CKelErr.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/text/AnsiText.h"

#include <optional>

namespace lumo {

namespace {

const char* const kCzechMonths[12] = {"Leden",    "Únor",  "Březen", "Duben", "Květen",   "Červen",
                                      "Červenec", "Srpen", "Září",   "Říjen", "Listopad", "Prosinec"};
// The Slovak list has always read "Marc" and "Maj"; it is kept as it is.
const char* const kSlovakMonths[12] = {"Január", "Február", "Marc",      "Apríl",   "Maj",      "Jún",
                                       "Júl",    "August",  "September", "Október", "November", "December"};

const QString kTitle = QStringLiteral("Nelze zjistit text");

// The pieces of one text in their order, each without its trailing blanks;
// nullopt when the text has no rows at all.
std::optional<QString> readLangText(db::Connection* connection, long language, long id) {
    if (!connection)
        err::Raise(err::errObjectNotSet);
    db::Recordset rs;
    rs.open(*connection, QStringLiteral("SELECT * FROM LangRes WHERE ID=") + QString::number(id) +
                             QStringLiteral(" AND IdxLang=") + QString::number(language) +
                             QStringLiteral(" ORDER BY Idx"));
    if (rs.bof() && rs.eof()) {
        rs.close();
        return std::nullopt;
    }
    QString text;
    for (; !rs.eof(); rs.moveNext())
        text += text::rightTrimBlanks(rs.field(QStringLiteral("Popis")).str());
    rs.close();
    return text;
}

void report(int number, const QString& description, const QString& source) {
    if (CKelErr* err = App().ErrObj.get())
        err->ErrView(number, description, kTitle, source);
}

} // namespace

void SetMonthNames(MonthNameArray& names, long language) {
    const char* const* list = nullptr;
    if (language == 1 || language == 3 || language == 4)
        list = kCzechMonths;
    else if (language == 2)
        list = kSlovakMonths;
    if (!list)
        return;
    for (int m = 1; m <= 12; ++m)
        names[m] = QString::fromUtf8(list[m - 1]);
}

void SetMonthNames(long Language) {
    SetMonthNames(App().MonthNames, Language);
}

QString GetLangText(db::Connection* connection, long language, long ID) {
    // Only Czech and Slovak texts exist; any other number would miss every text. A report
    // still names the setting's own value.
    const QString about = QStringLiteral(" pro jazyk ID ") + QString::number(language);
    if (language != 1 && language != 2)
        language = 1;
    try {
        // A text whose rows hold only blanks exists; only one without rows is missing.
        const std::optional<QString> text = readLangText(connection, language, ID);
        if (!text) {
            report(53, QStringLiteral("Nenalezen text ID ") + QString::number(ID) + about,
                   QStringLiteral("LUMO-LumoMain-GetLangText"));
            return {};
        }
        return *text;
    } catch (...) {
        const err::ErrorRecord& e = err::CaptureCurrentException();
        report(49,
               err::SystemText(QStringLiteral("Nelze zjistit text ID ") + QString::number(ID) + about, e,
                               QStringLiteral("-")),
               QStringLiteral("LUMO-LumoMain-GetLangText-") + e.Source);
        return {};
    }
}

QString GetLangText(long ID) {
    AppContext& app = App();
    return GetLangText(app.DbConnection.get(), app.Settings.Language, ID);
}

} // namespace lumo
