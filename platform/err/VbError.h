#pragma once

#include <QString>

#include <exception>
#include <string>

// The run-time error model: a raised failure carries a number, a description
// and a source, and the last one raised is kept in the process-wide CurrentError
// that every failure handler reads to build its "System: " text.
namespace lumo::err {

// Base of object errors; the library numbers its own from here + 513.
constexpr long vbObjectError = -2147221504L;

struct ErrorRecord {
    long Number = 0;
    QString Description;
    QString Source;
    QString HelpFile;
    long HelpContext = 0;
    long LastDllError = 0; // errno of the last failing system call
    void Clear() { *this = ErrorRecord{}; }
};

// The process-wide record of the last raised failure.
ErrorRecord& CurrentError();

class VbError : public std::exception {
public:
    VbError(long number, QString description, QString source = {}, QString helpFile = {},
            long helpContext = 0);
    long Number() const { return m_record.Number; }
    const QString& Description() const { return m_record.Description; }
    const QString& Source() const { return m_record.Source; }
    const ErrorRecord& record() const { return m_record; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    ErrorRecord m_record;
    std::string m_what;
};

// Fills CurrentError and throws. An empty description takes the standard text of the number.
[[noreturn]] void Raise(long number, const QString& source = {}, const QString& description = {});

// Fills CurrentError from the exception being handled (call inside a catch block)
// and returns it: VbError as is, std::bad_alloc as 7, filesystem errors by their
// cause (53, 76, 75, 70, 61), any other std::exception as 5.
const ErrorRecord& CaptureCurrentException(const QString& source = {});

// The call sites' description: message, CR LF, "System: ", number, separator, error text.
// The separator is " - " at most call sites and "-" at some.
QString SystemText(const QString& message, const ErrorRecord& e,
                   const QString& separator = QStringLiteral(" - "));
QString SystemText(const QString& message, const QString& separator = QStringLiteral(" - "));

} // namespace lumo::err
