#!/usr/bin/env bash
# Start-up time of Client.exe (its window and its ID prompt) and of Pondial.exe against our minimal Win32 dialog
# program under the same Wine; prints the medians and the ratios (goal: at most 1.5).
# Usage: tools/bench_startup.sh [build-dir, default build/win32] [runs, default 7]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win32}
runs=${2:-7}
exec /usr/bin/python3 "$root/tools/bench/bench_startup.py" --build "$build" --runs "$runs"
