#!/usr/bin/env bash
# The typical evening in a PC room, in one command: sets up a Debian 12 machine, builds and
# installs the programs into build/demo/program, and plays the evening on them under Wine
# (tools/evening.py): the connector dials with a stand-in modem, the updater installs a signed
# update from a loopback FTP server, the lobby logs in at our lobby server and a scripted
# second user joins its room. With $DISPLAY a person plays it; without, it plays itself and
# leaves screenshots and a contact sheet in build/demo/screenshots.
#
#   bash tools/run_evening.sh
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build/win32}
DEMO=$ROOT/build/demo
PROGRAM=$DEMO/program
LOGS=$DEMO/logs

log() { echo "run_evening: $*"; }

fail() {
  log "FAILED: $*" >&2
  exit 1
}

mkdir -p "$LOGS"
log "installing what is missing"
bash "$ROOT/tools/setup.sh"
log "building the win32 programs into $BUILD_DIR"
cmake --preset win32 -B "$BUILD_DIR" >"$LOGS/configure.log" 2>&1 || fail "configure, see $LOGS/configure.log"
cmake --build "$BUILD_DIR" --parallel "$(nproc)" >"$LOGS/build.log" 2>&1 || fail "build, see $LOGS/build.log"
rm -rf "$PROGRAM"
cmake --install "$BUILD_DIR" --prefix "$PROGRAM" >"$LOGS/install.log" 2>&1 || fail "install, see $LOGS/install.log"

log "playing the evening${DISPLAY:+ on $DISPLAY}"
exec /usr/bin/python3 "$ROOT/tools/evening.py" --program "$PROGRAM" --output "$DEMO" \
  --uidriver "$BUILD_DIR/tools/uidriver/uidriver.exe" --standin-ras "$BUILD_DIR/tools/standin_ras/rasapi32.dll"
