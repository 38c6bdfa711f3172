#pragma once

#include "mainwindow/FrmMainFixture.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lumo {
class HerbRecord;
namespace ui {
class RichTextBox;
}
} // namespace lumo

namespace lumo::test {

// A section as the rich-edit box stores it: a green bold heading line, then the body.
QString SectionRtf(const QString& heading, const QString& body);

// Herbs for the record: 1 "Máta peprná" with names in three languages, two folk names, a
// family, an article and sections 1..6 (6 without a colon); 2 "Heřmánek pravý" without any
// name rows; 3 all columns Null; 4 with braces in its name and a missing family; 5 with a
// family id that is not a number.
QStringList RecordDatabase();

// The window with the real record view on RecordDatabase.
class HerbRecordFixture : public FrmMainFixture {
protected:
    // Further statements run after RecordDatabase's.
    void loadRecordWindow(const QStringList& more = {});
    // Selects the list item of a herb and shows it as a selection in the list does.
    void show(long idx);
    // The record's plain text lines, each without its trailing blanks.
    QStringList recordLines() const;

    HerbRecord* view = nullptr;
    std::vector<long> refills; // herbs the per-herb lists were refilled with
};

// Plain text lines of a rich-text box, each without its trailing blanks.
QStringList BoxLines(const ui::RichTextBox& box);

} // namespace lumo::test
