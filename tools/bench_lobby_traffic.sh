#!/usr/bin/env bash
# The lobby client under a flood of server traffic under Wine (2,000 chat lines, 200 room lists).
# Usage: tools/bench_lobby_traffic.sh [build-dir, default build/win32]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec /usr/bin/python3 "$root/tools/bench/bench_lobby_traffic.py" --build "${1:-$root/build/win32}"
