#!/usr/bin/env bash
# A short libFuzzer run of the RTF reader: builds the fuzzers with clang in a build
# folder of its own, fuzzes from the committed corpus for a few seconds, then runs the
# word oracle (generated documents must give back every word) for half as long.
set -euo pipefail
src=$1
out=$2
seconds=${3:-20}
CXX=clang++ cmake -S "$src" -B "$out" -G Ninja -DLUMO_BUILD_FUZZ=ON -DLUMO_BUILD_TESTS=OFF -DLUMO_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" --target rtf_reader_fuzzer rtf_oracle_fuzzer >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/artifacts"
cd "$work"
"$out/platform/rtf/rtf_reader_fuzzer" corpus "$src/tests/data/rtf/corpus" "$src/tests/data/rtf/crashes" \
  -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 -artifact_prefix=artifacts/ 2>&1 | tail -n 3
mkdir -p oracle
"$out/platform/rtf/rtf_oracle_fuzzer" oracle -max_total_time="$((seconds / 2 + 1))" -max_len=4096 -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix=artifacts/ 2>&1 | tail -n 3
