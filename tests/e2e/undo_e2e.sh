#!/usr/bin/env bash
# Undo and redo from the keyboard: a Delete, a typed date and a header sort taken back with
# Ctrl+Z, a redo with Ctrl+Y, and a list closed unsaved keeping a copy of its edits aside.
source "$(dirname "$0")/lib.sh"
start_x
export XDG_STATE_HOME=$E2E_TMP/state

LIST=$E2E_TMP/undo.todo
printf '"Date","Priority","SubPriority","Description"\r\n6/1/30,,,"pear"\r\n,,,"apple"\r\n,,,"cherry"\r\n' >"$LIST"
start_app "$LIST" undo

# Saves with Alt+S and waits until line $1 of the task file reads $2.
saved_as() {
  keys alt+s
  wait_until 50 bash -c '[ "$(sed -n "$1p" "$0" | tr -d "\r")" = "$2" ]' "$LIST" "$1" "$2" ||
    fail "line $1 is not '$2': $(cat -A "$LIST")"
}

# Alt+D deletes pear; Ctrl+Z brings it back at its row.
keys alt+d
saved_as 2 ',,,"apple"'
keys ctrl+z
saved_as 2 '6/1/30,,,"pear"'

# A typed date and Tab, then Ctrl+Z: the old date (and weekday) are back.
keys ctrl+a
type_text "7/4/2031"
keys Tab
saved_as 2 '7/4/31,,,"pear"'
keys ctrl+z
saved_as 2 '6/1/30,,,"pear"'

# A header sort, then Ctrl+Z: the old order. Ctrl+Y sorts again.
click_in_window 300 60
xdotool windowfocus --sync "$WID"
saved_as 2 ',,,"apple"'
keys ctrl+z
saved_as 2 '6/1/30,,,"pear"'
saved_as 3 ',,,"apple"'
keys ctrl+y
saved_as 2 ',,,"apple"'
saved_as 4 '6/1/30,,,"pear"'

# An edit, then Close-NoSave: the task file stays, the edit is kept aside.
keys Down Tab Tab Tab
keys ctrl+a
type_text "banana"
keys Tab
before=$(cat "$LIST")
mtime_before=$(mtime "$LIST")
eval "$(xdotool getwindowgeometry --shell "$WID")"
click_in_window $((WIDTH - 60)) 36
wait_until 100 bash -c '! kill -0 "$0" 2>/dev/null' "$APP_PID" || fail "the window did not close"
[ "$(cat "$LIST")" = "$before" ] && [ "$(mtime "$LIST")" = "$mtime_before" ] ||
  fail "the task file changed on Close-NoSave"
copy=$(ls "$XDG_STATE_HOME"/taskwell/discarded/undo-*.todo 2>/dev/null | head -n 1)
[ -n "$copy" ] || fail "no discarded copy in $XDG_STATE_HOME/taskwell/discarded"
grep -q '"banana"' "$copy" || fail "the discarded copy lacks the edit: $(cat -A "$copy")"
[ "$(stat -c %a "$copy")" = 600 ] || fail "the discarded copy is not private"

# SIGTERM at logout: a clean end through the event loop.
start_app "$LIST" undo
keys Tab Tab Tab ctrl+a
type_text "fig"
keys Tab
kill -TERM "$APP_PID"
wait_until 100 bash -c '! kill -0 "$0" 2>/dev/null' "$APP_PID" || fail "SIGTERM did not end the program"
[ "$(cat "$LIST")" = "$before" ] || fail "the task file changed on SIGTERM"
# The edit waits in the recovery journal, which the next start offers back.
wait_until 20 bash -c 'grep -qF "\"fig\"" "$0"/taskwell/journal/*.journal' "$XDG_STATE_HOME" ||
  fail "SIGTERM kept no journal: $(ls -l "$XDG_STATE_HOME"/taskwell/journal)"
echo "undo journey passed"
