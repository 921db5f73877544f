# Shared steps of the end-to-end journeys: a private X server and home, the program started on a
# task file, and waits that poll with a bound instead of sleeping blindly.
set -euo pipefail

BIN=$1
E2E_TMP=$(mktemp -d)
export HOME=$E2E_TMP/home
export XDG_RUNTIME_DIR=$E2E_TMP/run
export LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
APP_PIDS=()

cleanup() {
  local pid tries
  for pid in "${APP_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  # A window still writes its journal or its last known copy as it ends: the folder goes once
  # every window has gone (a window that does not end within 5 s is killed).
  for pid in "${APP_PIDS[@]}"; do
    for tries in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  done
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$E2E_TMP"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$E2E_TMP/app.log" ] && sed 's/^/  app: /' "$E2E_TMP/app.log" >&2
  import -window root "/tmp/taskwell-e2e-failure-$$.png" 2>/dev/null && echo "screenshot: /tmp/taskwell-e2e-failure-$$.png" >&2
  exit 1
}

# Polls a command for up to $1 tenths of a second.
wait_until() {
  local tries=$1
  shift
  for _ in $(seq 1 "$tries"); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

start_x() {
  local n
  for n in $(seq $((100 + $$ % 300)) 499); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    wait_until 100 test -e "/tmp/.X11-unix/X$n" && wait_until 50 xdpyinfo && return 0
    kill "$XVFB_PID" 2>/dev/null || true
  done
  fail "no X display could be started"
}

# start_app FILE TITLE: starts the program and focuses its window.
start_app() {
  "$BIN" "$1" >"$E2E_TMP/app.log" 2>&1 &
  APP_PID=$!
  APP_PIDS+=("$APP_PID")
  wait_until 150 xdotool search --name "^Taskwell V3.4 - $2\$" || fail "window '$2' did not appear"
  WID=$(xdotool search --name "^Taskwell V3.4 - $2\$" | head -n 1)
  xdotool windowfocus --sync "$WID"
  sleep 0.3
}

# Waits for a shown window whose title matches exactly, and focuses it (Qt keeps an unmapped
# window titled with the application name, which must not count).
focus_dialog() {
  wait_until 100 xdotool search --onlyvisible --name "^$1\$" || fail "dialog '$1' did not appear"
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" | tail -n 1)
  xdotool windowfocus --sync "$id"
  sleep 0.2
}

mtime() { stat -c %Y.%s "$1" 2>/dev/null || echo none; }
file_has() { grep -qF -- "$2" "$1"; }

# Clicks a point given in the main window's own coordinates.
click_in_window() {
  local x y
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  x=$((X + $1)); y=$((Y + $2))
  xdotool mousemove --sync "$x" "$y" click 1
}

window_width() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  echo "$WIDTH"
}

keys() { xdotool key --delay 60 "$@"; }
type_text() { xdotool type --delay 40 -- "$1"; }

# A private session bus with the accessibility bus on it, as a screen reader's desktop has; both
# end with the journey (the registry daemon goes with its bus).
start_accessibility_bus() {
  local address pid
  { read -r address; read -r pid; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  export DBUS_SESSION_BUS_ADDRESS=$address
  APP_PIDS+=("$pid")
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  APP_PIDS+=("$!")
}
