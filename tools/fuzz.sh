#!/usr/bin/env bash
# Fuzzes the parsers that take outside input (server messages, configuration
# and record files, bitmaps, ICMP packets, change lists) with clang's libFuzzer.
# Usage: tools/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DENABLE_FUZZING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(lobby_receive_fuzz config_fuzz dib_fuzz echo_reply_fuzz change_list_fuzz)
cmake --build build/fuzz --target "${targets[@]}" >/dev/null
for target in "${targets[@]}"; do
  echo "== $target"
  build/fuzz/tests/fuzz/$target -max_total_time="$seconds" -max_len=8192 2>&1 | tail -n 1
done
