#!/usr/bin/env bash
# taskwell --remind against a real session bus of its own, with dunst as the notification server
# and dbus-monitor recording what was sent.
source "$(dirname "$0")/lib.sh"
start_x
export XDG_STATE_HOME=$E2E_TMP/state
BUS_PIDS=()
stop_bus() {
  for pid in "${BUS_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${BUS_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  BUS_PIDS=()
}
trap 'stop_bus; cleanup' EXIT

start_bus() {
  dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/bus" 2>/dev/null &
  BUS_PIDS+=($!)
  wait_until 50 test -s "$E2E_TMP/bus" || fail "dbus-daemon gave no address"
  export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus")
  dbus-monitor "interface='org.freedesktop.Notifications',member='Notify'" >"$E2E_TMP/monitor" 2>&1 &
  BUS_PIDS+=($!)
  wait_until 50 test -s "$E2E_TMP/monitor" || fail "dbus-monitor did not start"
}
has_server() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications | grep -q 'boolean true'
}
start_dunst() {
  printf '[global]\n    mouse_left_click = do_action, close_current\n    origin = top-left\n    offset = 0x0\n' >"$E2E_TMP/dunstrc"
  dunst -config "$E2E_TMP/dunstrc" >"$E2E_TMP/dunst.log" 2>&1 &
  BUS_PIDS+=($!)
  wait_until 50 has_server || fail "dunst did not take the notification name"
}
notify_calls() { grep -c 'member=Notify$' "$E2E_TMP/monitor" || true; }
# The arguments of the last Notify call as dbus-monitor printed them.
last_call() { awk '/member=Notify$/ { call = "" } { call = call $0 "\n" } END { printf "%s", call }' "$E2E_TMP/monitor"; }
expect_in_call() { last_call | grep -qF -- "$1" || fail "Notify lacks '$1':"$'\n'"$(last_call)"; }

day() { date -d "$1" +%-m/%-d/%y; }
write_list() {
  local file=$1
  shift
  printf '"Date","Priority","SubPriority","Description"\r\n' >"$file"
  printf '%s\r\n' "$@" >>"$file"
}

# remind FILE: runs --remind in the background; REMIND_PID is its process.
remind() {
  "$BIN" --remind "$1" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  REMIND_PID=$!
}
# Waits for the run to end, within $1 tenths of a second, and checks its status.
expect_exit() {
  wait_until "$1" bash -c "! kill -0 $REMIND_PID" || fail "--remind still runs"
  local status=0
  wait "$REMIND_PID" || status=$?
  [ "$status" = "$2" ] || fail "--remind exited with $status, not $2: $(cat "$E2E_TMP/err")"
}
wait_for_calls() { wait_until 50 bash -c "[ \$(grep -c 'member=Notify\$' '$E2E_TMP/monitor') -ge $1 ]" || fail "no Notify call $1"; }

start_bus
start_dunst
LIST=$E2E_TMP/remind.todo

# Nothing due: no notification and success.
write_list "$LIST" "$(day '+3 days'),,,\"Later\"" ",0,,\"Undated\""
remind "$LIST"
expect_exit 50 0
[ "$(notify_calls)" = 0 ] || fail "a notification for nothing due"

# Overdue and today: one summary, overdue first, critical, and Open starts the window.
write_list "$LIST" "$(day today),,,\"Call <Ann> & Bob\"" "$(day '-3 days'),,,\":weekly Bins out\"" \
  "$(day '+3 days'),,,\"Later\""
remind "$LIST"
wait_for_calls 1
expect_in_call 'string "Taskwell"'
expect_in_call 'string "remind: 1 overdue, 1 due today"'
expect_in_call 'string "taskwell"'
expect_in_call 'variant             byte 2'
expect_in_call 'string "desktop-entry"'
last_call | grep -A3 'array \[' | grep -qF 'string "Open"' || fail "no Open action: $(last_call)"
if dbus-send --session --print-reply --dest=org.freedesktop.Notifications /org/freedesktop/Notifications \
  org.freedesktop.Notifications.GetCapabilities | grep -q '"body-markup"'; then
  expect_in_call $'string "Bins out\nCall &lt;Ann&gt; &amp; Bob"'
else
  expect_in_call $'string "Bins out\nCall <Ann> & Bob"'
fi
wait_until 50 bash -c '[ "$(dunstctl count displayed)" = 1 ]' || fail "dunst shows no notification"
xdotool mousemove --sync 40 20 click 1
wait_until 150 xdotool search --name '^Taskwell V3.4 - remind$' || fail "Open did not start the window"
expect_exit 50 0
APP_PIDS+=("$(xdotool search --name '^Taskwell V3.4 - remind$' getwindowpid %1)")
first_id=$(cut -d' ' -f2 "$XDG_STATE_HOME"/taskwell/reminder-*)
# The state folder keeps the recovery journals as well: the user's alone, whoever made it.
[ "$(stat -c %a "$XDG_STATE_HOME/taskwell")" = 700 ] || fail "the state folder is not private"

# A second run the same day replaces the first notification; today's only: normal urgency.
write_list "$LIST" "$(day today),,,\"Call Ann\""
remind "$LIST"
wait_for_calls 2
expect_in_call "uint32 $first_id"
expect_in_call 'variant             byte 1'
expect_in_call 'string "remind: 1 due today"'
wait_until 50 bash -c '[ "$(dunstctl count displayed)" = 1 ]' || fail "the second notification stacked"
SECOND_PID=$REMIND_PID

# More than five: five descriptions, then how many more; a single-byte list arrives as UTF-8.
rows=()
for i in 1 2 3 4 5 6 7; do rows+=("$(day today),,,\"Caf$(printf '\xe9') $i\""); done
write_list "$LIST" "${rows[@]}"
remind "$LIST"
wait_for_calls 3
expect_in_call 'string "remind: 7 due today"'
expect_in_call $'Café 5\nand 2 more"'
# The run it replaced stops waiting for Open: one window, not two, would start.
REMIND_PID=$SECOND_PID expect_exit 50 0
dunstctl close-all
expect_exit 50 0

# Nothing due any more: today's notification goes, and nothing new is sent.
remind "$LIST"
wait_for_calls 4
WAITING_PID=$REMIND_PID
write_list "$LIST" "$(day '+3 days'),,,\"Later\""
remind "$LIST"
expect_exit 50 0
wait_until 50 bash -c '[ "$(dunstctl count displayed)" = 0 ]' || fail "the old reminder stayed"
REMIND_PID=$WAITING_PID expect_exit 50 0
[ "$(notify_calls)" = 4 ] || fail "a notification for nothing due"

# An unreadable file: the message, exit 1, and nothing sent.
remind "$E2E_TMP/missing.todo"
expect_exit 50 1
grep -q 'cannot read' "$E2E_TMP/err" || fail "no message for a missing file"
[ "$(notify_calls)" = 4 ] || fail "a notification for a missing file"

# No notification server: one line and exit 1, soon.
write_list "$LIST" "$(day today),,,\"Call Ann\""
kill "${BUS_PIDS[2]}"
wait_until 50 bash -c '! has_server' 2>/dev/null || true
cp "$LIST" "$E2E_TMP/before"
remind "$LIST"
expect_exit 60 1
[ "$(wc -l <"$E2E_TMP/err")" = 1 ] || fail "not one line: $(cat "$E2E_TMP/err")"
cmp -s "$LIST" "$E2E_TMP/before" || fail "--remind changed the task file"

# No bus at all: the same.
stop_bus
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
remind "$LIST"
expect_exit 60 1
[ "$(wc -l <"$E2E_TMP/err")" = 1 ] || fail "not one line: $(cat "$E2E_TMP/err")"
unset DBUS_SESSION_BUS_ADDRESS
remind "$LIST"
expect_exit 60 1
grep -q 'no session bus' "$E2E_TMP/err" || fail "no bus not named: $(cat "$E2E_TMP/err")"
echo "remind journey passed"
