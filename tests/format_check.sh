#!/usr/bin/env bash
# Every C++ source keeps to the project's .clang-format style.
set -euo pipefail
cd "$1"
bad=$(git ls-files '*.cpp' '*.h' 2>/dev/null | while read -r f; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || echo "$f"
done)
if [ -n "$bad" ]; then
  echo "not formatted (run clang-format -i on them):"
  echo "$bad"
  exit 1
fi
echo "all sources formatted"
