#!/usr/bin/env bash
# Fuzzes the parsers that take outside input (server messages, client blocks
# at the lobby server, configuration and record files, bitmaps, ICMP packets,
# change lists) with clang's libFuzzer, one target at a time, each starting
# from its seeds in tests/fuzz/seeds and the shipped configuration files.
# Usage: tools/fuzz.sh [seconds per target, default 60]       short pass
#        tools/fuzz.sh --long [runs per target, default 1000000]  by hand
# Prints the executions and findings of each target; a finding is a crash,
# leak, time-out or memory input of this run, kept in
# build/fuzz/findings/<target>/. Exits 1 when there is any.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time="${1:-60}")
if [[ ${1:-} == --long ]]; then
  limit=(-runs="${2:-1000000}")
fi
cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DENABLE_FUZZING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(lobby_receive_fuzz lobby_server_fuzz config_fuzz dib_fuzz echo_reply_fuzz change_list_fuzz)
cmake --build build/fuzz --target "${targets[@]}" >/dev/null
total=0
for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  rm -rf "$findings"
  mkdir -p "$corpus" "$findings"
  seeds=()
  [[ -d tests/fuzz/seeds/$target ]] && seeds+=("tests/fuzz/seeds/$target")
  [[ $target == config_fuzz ]] && seeds+=(package/config)
  # The server reads whole blocks: four of them make an input, which keeps
  # its runs as quick as the others'.
  max_len=8192
  [[ $target == lobby_server_fuzz ]] && max_len=2048
  log=build/fuzz/$target.log
  # A finding does not stop the others: each target gets its whole run.
  build/fuzz/tests/fuzz/$target "${limit[@]}" -max_len=$max_len -timeout=10 -artifact_prefix="$findings/" \
    "$corpus" "${seeds[@]}" >"$log" 2>&1 || true
  runs=$(grep -oE '^(#[0-9]+|Done [0-9]+ runs)' "$log" | tail -n 1 | grep -oE '[0-9]+' || echo 0)
  found=$(find "$findings" -type f | wc -l)
  total=$((total + found))
  echo "$target: $runs executions, $found findings"
done
[[ $total -eq 0 ]]
