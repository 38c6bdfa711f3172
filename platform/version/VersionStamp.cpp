// Compiled into each executable: the project version in the ".zefver" section.
#include "platform/version/VersionBlock.h"

#define LUMO_STAMP_STR2(x) #x
#define LUMO_STAMP_STR(x) LUMO_STAMP_STR2(x)

namespace {
[[gnu::used, gnu::section(".zefver")]] constexpr lumo::version::Block kVersionBlock =
    lumo::version::MakeBlock(LUMO_STAMP_STR(LUMO_VERSION_MAJOR) "." LUMO_STAMP_STR(
        LUMO_VERSION_MINOR) "." LUMO_STAMP_STR(LUMO_VERSION_PATCH));
} // namespace
