#!/usr/bin/env bash
# The lobby server under load, beside the chat server a user would pick
# instead: simulated users on loopback in rooms, each chatting at a fixed rate
# for a bounded time, against lobby-server (native-release) and against
# Debian's ngircd (channels of the same size, PRIVMSG). Prints relayed
# messages per second and the 50th/99th-percentile relay latency of both,
# and the ratios. A benchmark, run by hand, not by CI.
#
#   bash tools/bench_lobby_server.sh [CLIENTS] [ROOM_SIZE] [LINES_PER_SECOND] [SECONDS]
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
CLIENTS=${1:-500} ROOM_SIZE=${2:-8} RATE=${3:-5} SECONDS_OF_CHAT=${4:-20}
BUILD=$ROOT/build/native-release
WORK=$(mktemp -d)
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$WORK"' EXIT

if ! command -v ngircd >/dev/null && [ ! -x /usr/sbin/ngircd ]; then
  echo "bench: installing ngircd, the anchor"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends ngircd >/dev/null
fi
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target lobby-server lobby_load >/dev/null

free_port() { /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
wait_listening() {  # wait_listening PORT
  for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  echo "bench: nothing listens on port $1" >&2
  return 1
}
load() { "$BUILD/tools/lobby_load/lobby_load" --clients "$CLIENTS" --room-size "$ROOM_SIZE" --rate "$RATE" --seconds "$SECONDS_OF_CHAT" "$@"; }
field() { sed -n "s/.* $2=\([0-9.]*\).*/\1/p" <<<"$1"; }

port=$(free_port)
"$BUILD/server/lobby-server" --bind 127.0.0.1 --port "$port" --max-connections $((CLIENTS + 10)) >"$WORK/lobby-server.log" &
pids+=($!)
wait_listening "$port"
ours=$(load --protocol lobby --port "$port")
kill "${pids[-1]}"
echo "$ours"

port=$(free_port)
cat >"$WORK/ngircd.conf" <<CONF
[Global]
Name = bench.local
Info = benchmark anchor
Listen = 127.0.0.1
Ports = $port
[Limits]
MaxConnections = 0
MaxConnectionsIP = 0
MaxJoins = 0
PingTimeout = 600
PongTimeout = 600
[Options]
DNS = no
Ident = no
PAM = no
CONF
/usr/sbin/ngircd --nodaemon --config "$WORK/ngircd.conf" >"$WORK/ngircd.log" 2>&1 &
pids+=($!)
wait_listening "$port"
anchor=$(load --protocol irc --port "$port")
echo "$anchor"

awk -v a="$(field "$ours" relayed_per_second)" -v b="$(field "$anchor" relayed_per_second)" \
    -v c="$(field "$ours" p99_ms)" -v d="$(field "$anchor" p99_ms)" \
    'BEGIN { printf "throughput ratio lobby-server/ngircd = %.2f (goal >= 1)\np99 latency ratio lobby-server/ngircd = %.2f (goal <= 1)\n", a / b, c / d }'
