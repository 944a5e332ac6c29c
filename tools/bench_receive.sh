#!/usr/bin/env bash
# Messages per second through the lobby's receive path (framing and dispatch),
# measured on the portable core in an optimised native build.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-release --target receive_bench >/dev/null
build/bench-release/tests/bench/receive_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
