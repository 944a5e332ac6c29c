#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test: the core's
# unit tests natively (plain and with sanitizers), then the shipped 32-bit
# programs end to end under Wine, then fuzzes the parsers briefly. The 64-bit
# build is compiled as well.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

jobs=$(nproc)
for preset in native native-asan win32 win64; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

for preset in native native-asan win32; do
  echo "== tests: $preset"
  ctest --preset "$preset" -j "$jobs"
done

# A short fuzzing pass; the long one (tools/fuzz.sh --long) is run by hand.
echo "== fuzzing"
bash tools/fuzz.sh 10
