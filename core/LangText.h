#pragma once

#include "core/IndexedArray.h"

#include <QString>

namespace lumo {

namespace db {
class Connection;
}

// Month names 1..12; entry 0 stays empty (month 0 means "no month").
using MonthNameArray = IndexedArray<QString, 0, 12>;

// Fills the month names for a language: Czech for 1, 3 and 4, Slovak for 2; any other
// language leaves them as they are.
void SetMonthNames(long Language);
void SetMonthNames(MonthNameArray& names, long language);

// The interface text ID in the current interface language, joined from its pieces in
// table LangRes. A missing text or a failing query is reported and gives "".
QString GetLangText(long ID);
// The same on an explicit connection and language (a language outside 1..2 reads Czech).
QString GetLangText(db::Connection* connection, long language, long ID);

} // namespace lumo
