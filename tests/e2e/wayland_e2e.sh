#!/usr/bin/env bash
# Under Wayland: the window opens on a headless weston with the app id the desktop file names,
# and a session whose Qt lacks the Wayland plugin is told so in one line instead of an abort.
# (Headless weston has no seat; typing and raising are the sway journey's, where a seat is.)
source "$(dirname "$0")/lib.sh"
unset DISPLAY QT_QPA_PLATFORM

LIST=$E2E_TMP/way.todo
printf '"Date","Priority","SubPriority","Description"\r\n,,,"Water the plants"\r\n' >"$LIST"

SOCKET=taskwell-e2e-$$
weston --backend=headless-backend.so --socket="$SOCKET" --idle-time=0 >"$E2E_TMP/weston.log" 2>&1 &
APP_PIDS+=("$!")
wait_until 100 test -S "$XDG_RUNTIME_DIR/$SOCKET" || fail "weston did not start: $(cat "$E2E_TMP/weston.log")"

WAYLAND_DISPLAY=$SOCKET QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$BIN" "$LIST" >"$E2E_TMP/app.log" 2>&1 &
APP_PID=$!
APP_PIDS+=("$APP_PID")
wait_until 150 grep -q 'set_title("Taskwell V3.4 - way")' "$E2E_TMP/app.log" || fail "no window titled for the list"
grep -q 'set_app_id("taskwell")' "$E2E_TMP/app.log" || fail "the window's app id is not taskwell"
kill -TERM "$APP_PID"
wait_until 100 bash -c '! kill -0 "$0" 2>/dev/null' "$APP_PID" || fail "SIGTERM did not end the program"
rm -f "$E2E_TMP/app.log"

# Only Wayland could show the window, and Qt's platform plugins are not where Qt looks.
mkdir -p "$E2E_TMP/no-plugins"
status=0
WAYLAND_DISPLAY=$SOCKET QT_QPA_PLATFORM_PLUGIN_PATH=$E2E_TMP/no-plugins "$BIN" "$LIST" 2>"$E2E_TMP/err" || status=$?
[ "$status" = 1 ] && [ "$(wc -l <"$E2E_TMP/err")" = 1 ] && grep -q "qt6-wayland" "$E2E_TMP/err" ||
  fail "without the plugin: exit $status, $(cat "$E2E_TMP/err")"
echo "wayland journey passed"
