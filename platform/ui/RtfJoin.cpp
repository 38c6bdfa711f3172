#include "platform/ui/RtfJoin.h"

#include "platform/rtf/RtfWriter.h"

#include <QTextCursor>
#include <QTextDocument>

namespace lumo::ui {

QString JoinRtf(const QString& first, const QString& second, rtf::ReadResult* result) {
    QTextDocument doc;
    doc.setUndoRedoEnabled(false);
    const rtf::ReadResult r1 = rtf::ReadRtf(first, doc);
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    const rtf::ReadResult r2 = rtf::InsertRtf(c, second);
    if (result)
        *result = r1.ok ? r2 : r1;
    return rtf::WriteRtf(doc);
}

} // namespace lumo::ui
