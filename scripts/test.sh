#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test under CTest.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/deps.sh"
bash "$top/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${LUMO_BUILD_DIR:-$top/build}" --output-on-failure --parallel "$(nproc)" --timeout 300
