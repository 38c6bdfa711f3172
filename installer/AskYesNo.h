#pragma once

#include <QString>

namespace lumo::setup {

// A Yes/No question with the buttons "&Ano" and "&Ne"; true for Ano.
bool AskYesNo(const QString& text, const QString& title, bool defaultYes = true);

} // namespace lumo::setup
