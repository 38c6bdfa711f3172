#pragma once

#include <QString>

namespace lumo::setup {

// Shows a text file (Windows-1250, or UTF-8 with its mark) read-only in a modal window
// and returns when the user closes it. A file that cannot be read is reported in a message.
void ShowTextFile(const QString& path);

} // namespace lumo::setup
