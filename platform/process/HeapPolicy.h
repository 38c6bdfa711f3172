#pragma once

namespace lumo::process {

// Keeps freed memory in the process for reuse instead of handing it back to the system at
// every free: a list of tens of thousands of items rebuilt after another would otherwise fault
// every one of its pages in again. Call once, first thing in main.
void KeepFreedMemory();

} // namespace lumo::process
