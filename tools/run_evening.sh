#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds and installs the programs, and runs the
# lobby client Client.exe against our lobby server LobbyServer.exe, with two
# scripted users to meet. With $DISPLAY it runs there until the client is closed;
# without, it runs headless, logs in, chats, and leaves screenshots in
# build/demo/screenshots.
#
#   bash tools/run_client.sh
#
# DEMO_USER_ID picks the ID that the headless run logs in with.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build/win32}
DEMO=$ROOT/build/demo
PROGRAM=$DEMO/program
LOGS=$DEMO/logs
SHOTS=$DEMO/screenshots
USER_ID=${DEMO_USER_ID:-방문객}
PYTHON=/usr/bin/python3
export WINEPREFIX=$DEMO/wineprefix

# The lobby client's windows and controls.
ID_DIALOG_TITLE="아이디 입력"
ID_EDIT=1011
ID_CONNECT_BUTTON=1
CHAT_LIST=1000
CHAT_INPUT=1001
LOGGED_IN_TITLE="${USER_ID}님! 나래온 게임방에 오신걸 환영합니다"

# Scripted users, who give the lobby a room, a user list and chat.
GREETER_ID="나래"
GREETING="안녕하세요, {id}님! 다락 게임방에 오신 것을 환영합니다."
ROOM_HOST_ID="방장"
ROOM_TITLE="초보만 오세요"
OWN_LINE="반갑습니다! 잘 부탁드려요."

started_pids=()
headless=false

log() { echo "run_client: $*"; }

fail() {
  log "FAILED: $*" >&2
  if $headless; then screenshot 99-failure.png || true; fi
  exit 1
}

start() {  # start LOGFILE COMMAND...: in the background, remembered for the clean-up
  local output=$1
  shift
  "$@" >"$output" 2>&1 &
  started_pids+=($!)
}

stop_everything() {
  local pid
  if [ -n "${DRIVER_PID:-}" ]; then kill "$DRIVER_PID" 2>/dev/null || true; fi
  if [ -n "${CLIENT_PID:-}" ]; then kill "$CLIENT_PID" 2>/dev/null || true; fi
  if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  for pid in "${started_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${started_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
}

wait_for_file() {  # wait_for_file PATH SECONDS
  local deadline=$((SECONDS + $2))
  until [ -s "$1" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

build_and_install() {
  log "building the win32 programs into $BUILD_DIR"
  cmake --preset win32 -B "$BUILD_DIR" >"$LOGS/configure.log" 2>&1 || fail "configure, see $LOGS/configure.log"
  cmake --build "$BUILD_DIR" --parallel "$(nproc)" >"$LOGS/build.log" 2>&1 || fail "build, see $LOGS/build.log"
  rm -rf "$PROGRAM"
  cmake --install "$BUILD_DIR" --prefix "$PROGRAM" >"$LOGS/install.log" 2>&1 || fail "install, see $LOGS/install.log"
}

start_xvfb() {
  start "$LOGS/xvfb.log" Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$LOGS/xvfb.display"
  wait_for_file "$LOGS/xvfb.display" 20 || fail "Xvfb did not start, see $LOGS/xvfb.log"
  DISPLAY=":$(cat "$LOGS/xvfb.display")"
  export DISPLAY
  log "headless: Xvfb on $DISPLAY"
}

# Our lobby server, the Windows program a PC room runs, on a free loopback port.
start_chat_server() {
  local server_log=$LOGS/chat_server.log deadline=$((SECONDS + 60))
  (cd "$PROGRAM" && exec wine LobbyServer.exe --bind 127.0.0.1 --port 0) >"$server_log" 2>&1 &
  started_pids+=($!)
  until CHAT_PORT=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$server_log") && [ -n "$CHAT_PORT" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the lobby server did not start, see $server_log"
    sleep 0.2
  done
  log "lobby server LobbyServer.exe on 127.0.0.1:$CHAT_PORT (log: $server_log)"
}

# The installed position.ini with the chat server's address in it.
point_client_at_server() {
  local ini=$PROGRAM/config/position.ini
  { printf '[CHATADDR] 127.0.0.1 %s\r\n' "$CHAT_PORT"; grep -v '^\[CHATADDR\]' "$ini" || true; } >"$ini.new"
  mv "$ini.new" "$ini"
}

start_scripted_users() {
  start "$LOGS/user_greeter.log" "$PYTHON" "$ROOT/tools/demo_chat_user.py" --port "$CHAT_PORT" \
    --id "$GREETER_ID" --greet "$GREETING"
  start "$LOGS/user_room_host.log" "$PYTHON" "$ROOT/tools/demo_chat_user.py" --port "$CHAT_PORT" \
    --id "$ROOM_HOST_ID" --room "$ROOM_TITLE"
}

start_client() {
  (cd "$PROGRAM" && exec wine Client.exe) >"$LOGS/client.log" 2>&1 &
  CLIENT_PID=$!
  log "Client.exe started (log: $LOGS/client.log)"
}

# The Wine desktop's own X window: the root window of Xvfb shows black.
screenshot() {
  local window
  window=$(xwininfo -root -tree | awk '/Wine desktop":/ { print $1; exit }')
  [ -n "$window" ] || return 1
  import -window "$window" "$SHOTS/$1"
  log "screenshot $SHOTS/$1"
}

# One command to the UI driver; its answer without "ok " in $REPLY.
drive() {
  printf '%s\n' "$1" >&"${DRIVER[1]}"
  IFS= read -r -t 60 REPLY <&"${DRIVER[0]}" || fail "no answer from the UI driver to: $1"
  [[ $REPLY == ok* ]] || fail "UI driver: $1 -> $REPLY"
  REPLY=${REPLY#ok}
  REPLY=${REPLY# }
}

stop_driver() {
  printf 'quit\n' >&"${DRIVER[1]}"
  wait "$DRIVER_PID" 2>/dev/null || true
  DRIVER_PID=
}

hwnd_of() { sed -n 's/.*"hwnd":\([0-9-]*\).*/\1/p' <<<"$1"; }

# Polls the lobby's chat list until it shows TEXT.
wait_for_chat_line() {
  local text=$1 deadline=$((SECONDS + 15))
  while :; do
    drive "list-box $chat_list"
    [[ $REPLY == *"$text"* ]] && return 0
    [ "$SECONDS" -lt "$deadline" ] || fail "the chat list never showed: $text"
    sleep 0.3
  done
}

log_in_and_chat() {
  coproc DRIVER { exec wine "$BUILD_DIR/tools/uidriver/uidriver.exe" 2>>"$LOGS/uidriver.log"; }
  drive "find-window \"$ID_DIALOG_TITLE\" timeout=30000"
  local dialog
  dialog=$(hwnd_of "$REPLY")
  drive "control $dialog $ID_EDIT"
  drive "type $REPLY \"$USER_ID\""
  sleep 0.5
  screenshot 01-id-entry.png || fail "no Wine desktop window to take a picture of"
  drive "press $dialog $ID_CONNECT_BUTTON"
  drive "find-window \"$LOGGED_IN_TITLE\" timeout=15000"
  local lobby
  lobby=$(hwnd_of "$REPLY")
  log "logged in as $USER_ID"
  drive "control $lobby $CHAT_LIST"
  chat_list=$REPLY
  wait_for_chat_line "[$GREETER_ID]"
  drive "control $lobby $CHAT_INPUT"
  local input=$REPLY
  drive "type $input \"$OWN_LINE\""
  drive "key $input RETURN"
  wait_for_chat_line "[$USER_ID] $OWN_LINE"
  sleep 1
  screenshot 02-lobby.png || fail "no Wine desktop window to take a picture of"
  stop_driver
}

main() {
  local started=$SECONDS
  mkdir -p "$LOGS" "$SHOTS"
  trap stop_everything EXIT
  trap 'exit 130' INT TERM
  [ -n "${DISPLAY:-}" ] || headless=true
  if $headless; then rm -f "$SHOTS"/*.png; fi

  log "installing what is missing"
  bash "$ROOT/tools/setup.sh"
  build_and_install
  if $headless; then start_xvfb; fi
  # shellcheck source=tools/wine_prefix.sh
  source "$ROOT/tools/wine_prefix.sh"
  wine_prefix_ensure "$LOGS/wine_prefix.log" || fail "wine prefix"
  start_chat_server
  point_client_at_server
  start_scripted_users
  start_client

  if $headless; then
    log_in_and_chat
    log "done in $((SECONDS - started)) s; screenshots in $SHOTS"
  else
    log "the client runs on $DISPLAY; close it to end the demo"
    wait "$CLIENT_PID" || true
    CLIENT_PID=
    log "client closed after $((SECONDS - started)) s"
  fi
}

main "$@"
