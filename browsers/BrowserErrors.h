#pragma once

#include <QString>

#include <functional>

namespace lumo {

// A loader's report: its number, message, title and location literal.
struct LoadReport {
    int number;
    const char* message;
    const char* title;
    const char* location;
};

// Reports the failure being handled: the message with the error's "System: " line, the
// location followed by the error text. Call inside a catch block.
void ReportFailure(const LoadReport& report);
// Reports an empty table: the message and the location literal alone.
void ReportEmpty(const LoadReport& report);

// Runs an event handler of the browsers: whatever fails in it is reported and goes no
// further, so nothing reaches the event loop. name is the handler ("LvUL_DblClick").
void Guarded(const char* name, const std::function<void()>& handler);

} // namespace lumo
