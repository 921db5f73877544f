#!/usr/bin/env bash
# Under German settings and texts: an incremented date is saved as the day it shows, deleting rows never
# lets a later commit touch another task, and a refused commit stops Close.
source "$(dirname "$0")/lib.sh"
export LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8
start_x

LIST=$E2E_TMP/typed.todo
header='"Date","Priority","SubPriority","Description"\r\n'
printf "$header"'01.06.2026,,,":weekly Zahnarzt"\r\n,1,,"Plain"\r\n,2,,"Last"\r\n' >"$LIST"
start_app "$LIST" typed

expect_file() {
  local expected
  expected=$(printf "$header$1")
  wait_until 50 bash -c '[ "$(cat "$0")" = "$1" ]' "$LIST" "$expected" ||
    fail "$2: file is $(cat -A "$LIST")"
}

# Increment, wander over the row and away, save: 8 June, not 6 August.
keys alt+w Tab Tab Down alt+s
expect_file '08.06.2026,,,":weekly Zahnarzt"\r\n,1,,"Plain"\r\n,2,,"Last"\r\n' "increment"

# Delete the repeating task (confirmed) and the plain one; the last task keeps its priority.
keys Up alt+l
focus_dialog Bestätigen
keys Return
xdotool windowfocus --sync "$WID"
keys alt+l alt+s
expect_file ',2,,"Last"\r\n' "two deletes"

# An impossible date, then Close: the error is shown and the program stays with the file as is.
keys shift+Tab shift+Tab
type_text "12.45.2026"
before=$(mtime "$LIST")
keys alt+e
focus_dialog typed
keys Return
xdotool windowfocus --sync "$WID"
sleep 0.5
kill -0 "$APP_PID" 2>/dev/null || fail "Close went ahead after a refused commit"
[ "$(mtime "$LIST")" = "$before" ] || fail "the file was written after a refused commit"

# Escape takes the typed text back; now Close saves and ends the program.
keys Escape alt+e
wait_until 50 bash -c '! kill -0 "$0" 2>/dev/null' "$APP_PID" || fail "Close did not end the program"
expect_file ',2,,"Last"\r\n' "close"
echo "typed journey passed"
