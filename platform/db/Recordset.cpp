#include "platform/db/Recordset.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/err/RunTimeErrors.h"
#include "platform/err/VbError.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace lumo::db {

namespace {

const QDate kDayZero(1899, 12, 30);

[[noreturn]] void typeMismatch() {
    err::Raise(err::errTypeMismatch, DbErrorSource());
}

double parseNumber(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    double d = QLocale::c().toDouble(t, &ok);
    if (!ok) // the user's decimal comma
        d = QLocale::c().toDouble(QString(t).replace(u',', u'.'), &ok);
    if (!ok)
        typeMismatch();
    return d;
}

// A whole number in [low, high], rounded half to even as the conversions round.
long wholeNumber(const QVariant& v, long low, long high) {
    if (v.isNull())
        return 0;
    double d = 0;
    switch (v.typeId()) {
    case QMetaType::LongLong: {
        const qint64 n = v.toLongLong();
        if (n < low || n > high)
            err::Raise(err::errOverflow, DbErrorSource());
        return static_cast<long>(n);
    }
    case QMetaType::Double:
        d = v.toDouble();
        break;
    case QMetaType::QString:
        d = parseNumber(v.toString());
        break;
    default:
        typeMismatch();
    }
    if (!std::isfinite(d))
        err::Raise(err::errOverflow, DbErrorSource());
    d = std::nearbyint(d);
    if (d < static_cast<double>(low) || d > static_cast<double>(high))
        err::Raise(err::errOverflow, DbErrorSource());
    return static_cast<long>(d);
}

QDateTime fromDayNumber(double days) {
    const double whole = std::floor(days);
    const qint64 ms = std::llround((days - whole) * 86400000.0);
    return QDateTime(kDayZero.addDays(static_cast<qint64>(whole)), QTime(0, 0)).addMSecs(ms);
}

QDateTime parseDateTime(const QString& text) {
    const QString t = text.trimmed();
    QDateTime dt = QDateTime::fromString(QString(t).replace(u' ', u'T'), Qt::ISODate);
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(t, Qt::ISODate);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(t, QStringLiteral("d.M.yyyy"));
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (!dt.isValid())
        typeMismatch();
    return dt;
}

} // namespace

QString Field::str() const {
    switch (m_value.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QString:
        return m_value.toString();
    case QMetaType::LongLong:
        return QString::number(m_value.toLongLong());
    case QMetaType::Double:
        return QString::number(m_value.toDouble(), 'g', 15);
    case QMetaType::QByteArray:
        return QString::fromUtf8(m_value.toByteArray());
    default:
        return m_value.toString();
    }
}

long Field::toLong() const {
    return wholeNumber(m_value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
}

int Field::toInt() const {
    return static_cast<int>(wholeNumber(m_value, -32768, 32767));
}

double Field::toDouble() const {
    switch (m_value.typeId()) {
    case QMetaType::UnknownType:
        return 0;
    case QMetaType::LongLong:
        return static_cast<double>(m_value.toLongLong());
    case QMetaType::Double:
        return m_value.toDouble();
    case QMetaType::QString:
        return parseNumber(m_value.toString());
    default:
        typeMismatch();
    }
}

QDate Field::toDate() const {
    return isNull() ? QDate() : toDateTime().date();
}

QDateTime Field::toDateTime() const {
    switch (m_value.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::LongLong:
    case QMetaType::Double:
        return fromDayNumber(m_value.toDouble());
    case QMetaType::QString:
        return parseDateTime(m_value.toString());
    default:
        typeMismatch();
    }
}

QByteArray Field::bytes() const {
    switch (m_value.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QByteArray:
        return m_value.toByteArray();
    default:
        return str().toUtf8();
    }
}

void Recordset::open(Connection& connection, const QString& sql, const QVariantList& params) {
    *this = connection.execute(sql, params);
}

void Recordset::open(Connection* connection, const QString& sql, const QVariantList& params) {
    if (!connection)
        err::Raise(err::errObjectNotSet, DbErrorSource());
    open(*connection, sql, params);
}

void Recordset::close() {
    *this = Recordset();
}

void Recordset::assign(QStringList names, QVariantList cells) {
    m_names = std::move(names);
    m_cells = std::move(cells);
    m_index.clear();
    for (int i = 0; i < m_names.size(); ++i) {
        const QString key = m_names[i].toLower();
        if (!m_index.contains(key))
            m_index.insert(key, i);
    }
    m_rowCount = m_names.isEmpty() ? 0 : static_cast<long>(m_cells.size() / m_names.size());
    m_position = 0;
    m_open = true;
}

void Recordset::requireOpen() const {
    if (!m_open)
        RaiseDbError(dbObjectClosed);
}

void Recordset::moveFirst() {
    requireOpen();
    m_position = 0;
}

void Recordset::moveLast() {
    requireOpen();
    m_position = m_rowCount > 0 ? m_rowCount - 1 : 0;
}

void Recordset::moveNext() {
    requireOpen();
    if (eof())
        RaiseDbError(dbNoCurrentRecord);
    ++m_position;
}

void Recordset::movePrevious() {
    requireOpen();
    if (bof())
        RaiseDbError(dbNoCurrentRecord);
    --m_position;
}

int Recordset::indexOf(const QString& name) const {
    return m_index.value(name.toLower(), -1);
}

bool Recordset::hasField(const QString& name) const {
    return indexOf(name) >= 0;
}

Field Recordset::field(const QString& name) const {
    requireOpen();
    const int i = indexOf(name);
    if (i < 0)
        RaiseDbError(dbItemNotFound, name);
    return field(i);
}

Field Recordset::field(int index) const {
    requireOpen();
    if (index < 0 || index >= fieldCount())
        RaiseDbError(dbItemNotFound, QString::number(index));
    if (bof() || eof())
        RaiseDbError(dbNoCurrentRecord);
    return Field(m_names[index], m_cells[m_position * fieldCount() + index]);
}

} // namespace lumo::db
