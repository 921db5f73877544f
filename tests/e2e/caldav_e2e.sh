#!/usr/bin/env bash
# The window syncs with a real Radicale: a task the phone (python3-caldav) added shows after the
# start-up's sync, a slow sync shows its progress and stops at Cancel, and an edit typed in the
# window reaches the server at Close, keeping the phone's item.
source "$(dirname "$0")/lib.sh"
command -v radicale >/dev/null || { echo "radicale is not installed"; exit 1; }
HARNESS=$(cd "$(dirname "$0")/../sync" && pwd)/radicale_harness.py
unset DBUS_SESSION_BUS_ADDRESS
export XDG_CONFIG_HOME=$HOME/.config XDG_STATE_HOME=$HOME/.state TASKWELL_SYNC_TIMEOUT=5
start_x

# The server and the phone, driven through a pipe; they end with the journey.
mkfifo "$E2E_TMP/phone"
/usr/bin/python3 "$HARNESS" "$HOME" "$E2E_TMP/ready" <"$E2E_TMP/phone" >"$E2E_TMP/server.log" 2>&1 &
HARNESS_PID=$!
APP_PIDS+=("$HARNESS_PID")
exec 3>"$E2E_TMP/phone"
wait_until 300 test -s "$E2E_TMP/ready" || fail "Radicale did not start: $(cat "$E2E_TMP/server.log")"
URL=$(cat "$E2E_TMP/ready")
phone() { echo "$*" >&3; }
summaries() {
  rm -f "$E2E_TMP/ready.out"
  phone summaries
  wait_until 100 test -e "$E2E_TMP/ready.out" || fail "the phone did not answer"
  cat "$E2E_TMP/ready.out"
}

LIST=$E2E_TMP/phone.todo
printf '"Date","Priority","SubPriority","Description"\r\n,1,,"Buy milk"\r\n' >"$LIST"
"$BIN" --sync-setup "$URL" "$LIST" >"$E2E_TMP/setup.out" 2>&1 || fail "setup: $(cat "$E2E_TMP/setup.out")"
"$BIN" --sync "$LIST" >"$E2E_TMP/first.out" 2>&1 || fail "first sync: $(cat "$E2E_TMP/first.out")"
phone add Call Bob

start_app "$LIST" phone
wait_until 100 file_has "$LIST" '"Call Bob"' || fail "the start-up sync did not bring the phone's task"
# A slow server: Sync Now shows its progress beside the window after half a second, and Cancel
# there stops the sync without a message.
phone slow 4
xdotool windowfocus --sync "$WID"
keys F5
shown_windows() { xdotool search --onlyvisible --name '^Taskwell V3.4 - phone$' | wc -l; }
progress_shown() { [ "$(shown_windows)" -ge 2 ]; }
progress_gone() { [ "$(shown_windows)" -eq 1 ]; }
wait_until 50 progress_shown || fail "a slow sync showed no progress"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Taskwell V3.4 - phone$' | grep -vx "$WID" | head -n 1)"
[ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT"
keys Escape
wait_until 15 progress_gone || fail "Cancel did not take the progress away"
# The request under way is answered, and the sync stops there.
sleep 4.5
[ -z "$(xdotool search --onlyvisible --name '^phone$' 2>/dev/null)" ] || fail "a cancelled sync showed a message"
phone slow 0
# The phone's task is the second row in the window: its description is replaced by typing.
sleep 0.5
xdotool windowfocus --sync "$WID"
keys Down Tab Tab Tab
type_text "Call Bob at noon"
keys alt+c
wait_until 100 bash -c '! kill -0 "$0" 2>/dev/null' "$APP_PID" || fail "the window did not close"
file_has "$LIST" '"Call Bob at noon"' || fail "the edit was not saved: $(cat -A "$LIST")"
[ "$(summaries)" = "$(printf 'Buy milk\nCall Bob at noon')" ] || fail "the server has: $(summaries)"
phone quit
# The harness stops Radicale before it ends.
wait_until 150 bash -c '! kill -0 "$0" 2>/dev/null' "$HARNESS_PID" || fail "the server did not stop"
echo "caldav journey passed"
