#include "library/ErrMain.h"

namespace lumo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString logDate(const QDateTime& when) {
    return when.toString(QStringLiteral("dd.MM.yyyy"));
}

// 24-hour time with ':' as on Czech systems.
QString logTime(const QDateTime& when) {
    return when.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

ErrMain& ErrState() {
    static ErrMain state;
    return state;
}

QString ErrMessage(int number, const QString& source, const QString& description) {
    return QStringLiteral("Chyba číslo ") + QString::number(number) + QStringLiteral(" v modulu ") + source +
           kCrLf + QStringLiteral("Popis chyby: ") + description;
}

QString ErrLogHeader(const QDateTime& when) {
    return QStringLiteral("Varnosk VB Library Error Log") + QString(33, u' ') + logDate(when) + u'-' +
           logTime(when) + kCrLf + QString(80, u'=') + kCrLf + kCrLf;
}

QString ErrLogEntry(const QDateTime& when, int number, const QString& title, const QString& source,
                    const QString& description) {
    const QString n = QString::number(number);
    return QStringLiteral("Datum: ") + logDate(when) + QStringLiteral(" - čas: ") + logTime(when) +
           QStringLiteral("       {CKelErr.ErrView}") + kCrLf + QStringLiteral("Chyba: ") + n +
           QString(qMax<qsizetype>(0, 30 - n.size()), u' ') + u'[' + title + u']' + kCrLf +
           QStringLiteral("Zdroj: ") + source + kCrLf + QStringLiteral("Popis: ") + description + kCrLf +
           u'*' + kCrLf + kCrLf;
}

} // namespace lumo
