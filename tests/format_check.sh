#!/usr/bin/env bash
# Every C++ source keeps to the project's .clang-format style.
set -euo pipefail
cd "$1"
# Files are checked in batches on every core; a failing file shows as "file:line:col: error:".
out=$(git ls-files -z '*.cpp' '*.h' | xargs -0 -r -n 40 -P "$(nproc)" clang-format --dry-run -Werror 2>&1 >/dev/null || true)
bad=$(printf '%s\n' "$out" | sed -n 's/^\(.*\):[0-9][0-9]*:[0-9][0-9]*: error:.*/\1/p' | sort -u)
if [ -n "$bad" ]; then
  echo "not formatted (run clang-format -i on them):"
  echo "$bad"
  exit 1
fi
if [ -n "$out" ]; then
  echo "$out"
  exit 1
fi
echo "all sources formatted"
