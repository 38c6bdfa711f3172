#pragma once

// Stand-in for starting a program and waiting for it; programs are started
// directly, never through a shell.
namespace lumo::process {
} // namespace lumo::process
