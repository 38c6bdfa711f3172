#!/usr/bin/env bash
# Installs what is needed, builds, stages a program folder in stage/ and starts LUMO there.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/deps.sh"
bash "$top/scripts/build.sh"
build=${LUMO_BUILD_DIR:-$top/build}
cmake --install "$build" --prefix "$top/stage" >/dev/null
cd "$top/stage"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a ./LUMO
fi
exec ./LUMO
