#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace lumo::db {

class Connection;

// One column value of the current row. Conversions follow the readers' rules:
// Null reads as "" or 0, a value that does not convert raises 13, one out of
// range raises 6 (all as err::VbError).
class Field {
public:
    Field() = default;
    Field(QString name, QVariant value) : m_name(std::move(name)), m_value(std::move(value)) {}

    const QString& name() const { return m_name; }
    // The raw value: qint64, double, QString, QByteArray, or a null QVariant for Null.
    const QVariant& value() const { return m_value; }
    bool isNull() const { return m_value.isNull(); }

    // "" & value: text as stored, numbers in decimal, Null as "".
    QString str() const;
    // Long (32 bits) and Integer (16 bits); text holding a number converts.
    long toLong() const;
    int toInt() const;
    double toDouble() const;
    // Dates are stored as ISO text ("YYYY-MM-DD" with an optional time) or as
    // day numbers from 30 December 1899; Null gives a null date.
    QDate toDate() const;
    QDateTime toDateTime() const;
    // Binary columns (pictures); text gives its UTF-8 bytes, Null an empty array.
    QByteArray bytes() const;
    qint64 actualSize() const { return bytes().size(); }

private:
    QString m_name;
    QVariant m_value;
};

// A read-only result read whole when it is opened, so it holds no engine
// resources and may outlive its connection. Rows are counted from the first;
// the cursor starts on the first row (BOF and EOF both true when empty).
class Recordset {
public:
    Recordset() = default;

    // Runs a statement in the Jet dialect; each ? takes the next parameter.
    // Raises err::VbError when the statement fails.
    void open(Connection& connection, const QString& sql, const QVariantList& params = {});
    // The same on a connection slot that may be empty (raises 91 then).
    void open(Connection* connection, const QString& sql, const QVariantList& params = {});
    void close();
    bool isOpen() const { return m_open; }

    bool bof() const { return !m_open || m_position < 0 || m_rowCount == 0; }
    bool eof() const { return !m_open || m_position >= m_rowCount; }
    long recordCount() const { return m_open ? m_rowCount : -1; }
    // The 0-based position of the current row.
    long position() const { return m_position; }

    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();

    int fieldCount() const { return static_cast<int>(m_names.size()); }
    // Result column names; where two joined tables both have a column of one
    // name, each is named alias.column as Jet names them ("b.Idx", "n.Nazev").
    const QStringList& fieldNames() const { return m_names; }
    bool hasField(const QString& name) const;
    // The current row's value by name (any case) or by 0-based index.
    // Raises 3265 for an unknown name and 3021 without a current row.
    Field field(const QString& name) const;
    Field field(int index) const;

    // Used by Connection to hand over a finished result.
    void assign(QStringList names, QVariantList cells);

private:
    int indexOf(const QString& name) const;
    void requireOpen() const;

    bool m_open = false;
    QStringList m_names;
    QHash<QString, int> m_index; // lower-case name -> column
    QVariantList m_cells;        // row-major
    long m_rowCount = 0;
    long m_position = 0;
};

} // namespace lumo::db
