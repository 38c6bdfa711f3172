#include "platform/process/HeapPolicy.h"

#include <malloc.h>

namespace lumo::process {

void KeepFreedMemory() {
    // Blocks under 4 MiB come from the heap (larger ones, such as decoded pictures, are still
    // mapped and returned whole); the heap gives memory back only past 64 MiB free at its top.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
}

} // namespace lumo::process
