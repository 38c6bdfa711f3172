#include "library/CKelSrv.h"

#include "library/CopyProgress.h"
#include "library/MSrvMain.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"
#include "platform/ini/IniFile.h"
#include "platform/paths/ProgramPaths.h"
#include "platform/process/Process.h"
#include "platform/text/AnsiText.h"
#include "platform/ui/Units.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <cmath>
#include <limits>

namespace lumo {

namespace {

bool s_formsLoaded = false;

CKelSrv::GradientPainter& gradientPainter() {
    static CKelSrv::GradientPainter painter;
    return painter;
}

bool hasProperty(const QObject& o, const char* name) {
    return o.metaObject()->indexOfProperty(name) >= 0 || o.dynamicPropertyNames().contains(name);
}

// Length of the text without its trailing blanks.
int trimmedLength(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == u' ')
        --n;
    return static_cast<int>(n);
}

void applyColours(QObject* control, long back, long fore) {
    if (!control)
        return;
    if (hasProperty(*control, "BackColor")) {
        control->setProperty("BackColor", QVariant::fromValue(back));
        control->setProperty("ForeColor", QVariant::fromValue(fore));
        return;
    }
    if (auto* w = qobject_cast<QWidget*>(control)) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, ui::OleToColor(back));
        p.setColor(QPalette::Text, ui::OleToColor(fore));
        w->setPalette(p);
    }
}

void selectToLastNonBlank(QObject* control) {
    if (!control)
        return;
    if (hasProperty(*control, "SelStart")) {
        const int n = trimmedLength(control->property("Text").toString());
        control->setProperty("SelStart", 0);
        control->setProperty("SelLength", n);
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->setSelection(0, trimmedLength(line->text()));
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        QTextCursor c = plain->textCursor();
        c.setPosition(0);
        c.setPosition(trimmedLength(plain->toPlainText()), QTextCursor::KeepAnchor);
        plain->setTextCursor(c);
    } else if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        QTextCursor c = rich->textCursor();
        c.setPosition(0);
        c.setPosition(trimmedLength(rich->toPlainText()), QTextCursor::KeepAnchor);
        rich->setTextCursor(c);
    }
}

} // namespace

CKelSrv::CKelSrv() {
    FormLinked() = false;
    // The hidden work forms are made by their own services when first needed, so
    // nothing can fail here.
    s_formsLoaded = true;
    InstallGradientPainter();
}

CKelSrv::~CKelSrv() = default;

void CKelSrv::UsedForm(QWidget* Form) {
    m_UsedForm = Form;
    FormLinked() = true;
}

QWidget* CKelSrv::UsedForm() const {
    return m_UsedForm.data();
}

bool& CKelSrv::FormLinked() {
    static bool linked = false;
    return linked;
}

bool CKelSrv::FormsLoaded() {
    return s_formsLoaded;
}

void CKelSrv::ColForm(long Color1, long Color2, long Mode) {
    if (!m_UsedForm)
        err::Raise(err::errObjectNotSet);
    // The form's scale is twips, like every position the callers pass.
    const QRect inner = m_UsedForm->contentsRect();
    ColArea(0, 0, static_cast<long>(ui::PixelsToTwips(inner.width())),
            static_cast<long>(ui::PixelsToTwips(inner.height())), Color1, Color2, Mode);
}

void CKelSrv::ColArea(long X1, long Y1, long X2, long Y2, long Color1, long Color2, long Mode) {
    if (Mode < std::numeric_limits<qint16>::min() || Mode > std::numeric_limits<qint16>::max())
        err::Raise(err::errOverflow);
    if (!m_UsedForm)
        err::Raise(err::errObjectNotSet);
    if (gradientPainter())
        gradientPainter()(*m_UsedForm, X1, Y1, X2, Y2, Color1, Color2, static_cast<int>(Mode));
}

void CKelSrv::SetGradientPainter(GradientPainter Painter) {
    gradientPainter() = std::move(Painter);
}

void CKelSrv::TBoxGotFocus(QObject* Control, long BackColor, long ForeColor) const {
    applyColours(Control, BackColor, ForeColor);
    selectToLastNonBlank(Control);
}

void CKelSrv::TBoxLostFocus(QObject* Control, long BackColor, long ForeColor) const {
    applyColours(Control, BackColor, ForeColor);
}

QVariant CKelSrv::ReadINI(const QString& FileName, const QString& Section, const QString& Key,
                          const QVariant& Default, bool Numeric) const {
    if (Numeric) {
        // The default converts as a whole number would: True is -1, text must hold a number.
        long def = 0;
        if (Default.typeId() == QMetaType::Bool) {
            def = Default.toBool() ? -1 : 0;
        } else if (!Default.isNull()) {
            bool ok = false;
            const double d = Default.toString().trimmed().isEmpty() ? 0.0 : Default.toDouble(&ok);
            if (!ok && !Default.toString().trimmed().isEmpty())
                err::Raise(err::errTypeMismatch);
            if (d < -2147483648.0 || d > 2147483647.0)
                err::Raise(err::errOverflow);
            def = static_cast<long>(std::nearbyint(d));
        }
        return QVariant::fromValue(ini::ReadInt(FileName, Section, Key, def));
    }
    // A Boolean default reads as the settings files write it.
    const QString def =
        text::rightTrimBlanks(Default.typeId() == QMetaType::Bool
                                  ? (Default.toBool() ? QStringLiteral("True") : QStringLiteral("False"))
                                  : Default.toString());
    if (FileName.isEmpty())
        return def;
    return ini::ReadValue(FileName, Section, Key).value_or(def);
}

bool CKelSrv::WriteINI(const QString& FileName, const QString& Section, const QString& Key,
                       const QString& Value) {
    return ini::WriteValue(FileName, Section, Key, Value);
}

void CKelSrv::ExitAplication(long ProcessId) const {
    if (ProcessId != 0)
        process::Terminate(ProcessId);
}

long CKelSrv::RunApl(const QString& CmdLine, bool Wait) const {
    return static_cast<long>(process::RunProgram(CmdLine, Wait));
}

void CKelSrv::SaveLogMessage(const QString& FileName, const QString& Text) const {
    if (FileName.isEmpty())
        return;
    try {
        text::appendAnsiFile(paths::Resolve(FileName), Text + QStringLiteral("\r\n"));
    } catch (...) {
    }
}

long CKelSrv::GetNewID(const QString& Table, db::Connection& Connection, const QString& Column) const {
    try {
        db::Recordset rs;
        rs.open(Connection, QStringLiteral("SELECT TOP 1 ") + Column + QStringLiteral(" FROM ") + Table +
                                QStringLiteral(" ORDER BY ") + Column + QStringLiteral(" DESC"));
        long id = 1;
        if (!(rs.bof() && rs.eof())) {
            const db::Field f = rs.field(Column);
            if (f.isNull())
                err::Raise(err::errInvalidNull);
            const long last = f.toLong();
            if (last >= 2147483647L)
                err::Raise(err::errOverflow);
            id = last + 1;
        }
        rs.close();
        return id;
    } catch (...) {
        err::CurrentError().Clear();
        return 0;
    }
}

void CKelSrv::SetCopyProgress(CopyProgress* Progress) {
    m_CopyProgress = Progress;
}

} // namespace lumo
