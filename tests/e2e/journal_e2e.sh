#!/usr/bin/env bash
# Whatever ends the program, the unsaved edits come back at the next start: Ctrl+C, a kill that
# allows no clean-up, the session ending with a dialog open, and the X server going away.
source "$(dirname "$0")/lib.sh"
start_x
export XDG_STATE_HOME=$E2E_TMP/state
JOURNALS=$XDG_STATE_HOME/taskwell/journal
header='"Date","Priority","SubPriority","Description"\r\n'

LIST=$E2E_TMP/journal.todo
printf "$header"',3,,"Tidy the garage"\r\n' >"$LIST"
original=$(md5sum <"$LIST")
journal_has() { grep -qF -- "$1" "$JOURNALS"/*.journal 2>/dev/null; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# edit TEXT: types over the first task's description and waits for the journal to hold it.
edit() {
  keys Tab Tab Tab ctrl+a
  type_text "$1"
  wait_until 50 journal_has "$1" || fail "the journal never held '$1'"
}
# Answers the next start's question with an access key, and waits for the window.
restore_with() {
  start_app_only "$LIST"
  focus_dialog journal
  keys "$1"
  # The window is shown under the question already: keys sent before the question has gone
  # would go to the question, not to the window.
  wait_until 100 bash -c '! xdotool search --onlyvisible --name "^journal\$"' ||
    fail "the question stayed after its answer"
  wait_until 100 xdotool search --onlyvisible --name "^Taskwell V3.4 - journal\$" ||
    fail "no window after the question"
  WID=$(xdotool search --onlyvisible --name "^Taskwell V3.4 - journal\$" | head -n 1)
  xdotool windowfocus --sync "$WID"
}
start_app_only() {
  "$BIN" "$1" >"$E2E_TMP/app.log" 2>&1 &
  APP_PID=$!
  APP_PIDS+=("$APP_PID")
}

# 1. Ctrl+C in the terminal: a clean end through the event loop, the journal kept.
start_app "$LIST" journal
edit "Interrupted"
kill -INT "$APP_PID"
wait_until 50 ended "$APP_PID" || fail "SIGINT did not end the program"
journal_has "Interrupted" || fail "SIGINT lost the journal"
[ "$(md5sum <"$LIST")" = "$original" ] || fail "SIGINT changed the file"

# 2. The next start offers it; Restore brings it into the list, and the edit continues.
restore_with alt+r
edit "Killed"
sleep 1
kill -KILL "$APP_PID"
wait_until 50 ended "$APP_PID" || fail "SIGKILL did not end the program"
journal_has "Killed" || fail "SIGKILL lost the edit made before the pause"

# 3. SIGTERM while a dialog is open (the question itself): the process ends, the lock is free.
start_app_only "$LIST"
focus_dialog journal
kill -TERM "$APP_PID"
wait_until 50 ended "$APP_PID" || fail "SIGTERM with a dialog open left the process running"
journal_has "Killed" || fail "an unanswered question lost the journal"
restore_with alt+r
keys alt+s
wait_until 50 file_has "$LIST" '"Killed"' || fail "the restored edit did not save"
wait_until 50 bash -c "! ls '$JOURNALS'/*.journal" || fail "a save left the journal behind"

# 4. The X server goes away under the program.
edit "Display lost"
kill -KILL "$XVFB_PID"
wait_until 50 ended "$APP_PID" || fail "the program outlived its display"
journal_has "Display lost" || fail "the lost display lost the journal"
start_x
restore_with alt+k
ls "$XDG_STATE_HOME"/taskwell/discarded/journal-*.todo >/dev/null || fail "Keep aside kept nothing"
! ls "$JOURNALS"/*.journal 2>/dev/null || fail "Keep aside left the journal"
echo "journal journey passed"
