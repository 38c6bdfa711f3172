#pragma once

// RTF into a QTextDocument.
namespace lumo::rtf {
} // namespace lumo::rtf
