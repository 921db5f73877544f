#!/usr/bin/env bash
# A user opens a task list, edits a description, saves with Alt+S, edits again and leaves with
# Close-NoSave; a second start on the same file is refused.
source "$(dirname "$0")/lib.sh"
start_x

LIST=$E2E_TMP/shell.todo
printf '"Date","Priority","SubPriority","Description"\r\n,3,,"Tidy the garage"\r\n,4,,"Wash the car"\r\n' >"$LIST"
start_app "$LIST" shell

# Tab along the first task to its description and type over it.
keys Tab Tab Tab
keys ctrl+a
type_text "Pay the bills"
before=$(mtime "$LIST")
keys alt+s
wait_until 50 file_has "$LIST" '"Pay the bills"' || fail "Alt+S did not save the edit"
file_has "$LIST" ',3,,"Pay the bills"' || fail "saved line is wrong: $(cat "$LIST")"

# A second instance on the same argument is refused and the first carries on.
"$BIN" "$LIST" >"$E2E_TMP/second.log" 2>&1 &
SECOND=$!
APP_PIDS+=("$SECOND")
focus_dialog Taskwell
keys Return
wait_until 50 bash -c "! kill -0 $SECOND" || fail "refused instance did not end"
kill -0 "$APP_PID" || fail "first instance ended"
xdotool windowfocus --sync "$WID"
sleep 0.2

# Another edit, then Close-NoSave: the file keeps the saved text.
saved=$(md5sum <"$LIST")
keys Down
keys ctrl+a
type_text "Not to be saved"
click_in_window $(($(window_width) - 820 + 719 + 50)) 36
wait_until 50 bash -c "! kill -0 $APP_PID" || fail "Close-NoSave did not close the window"
[ "$(md5sum <"$LIST")" = "$saved" ] || fail "Close-NoSave changed the file"
echo "shell journey passed"
