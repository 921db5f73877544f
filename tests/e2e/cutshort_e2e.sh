#!/usr/bin/env bash
# Another program empties the task file, then deletes it, under an open window: the window keeps
# its tasks and says so, Close keeps them with the emptied file as the backup, and Save asks
# before it writes a deleted file again.
source "$(dirname "$0")/lib.sh"
start_x
LIST=$E2E_TMP/cutshort.todo
header='"Date","Priority","SubPriority","Description"\r\n'
printf "$header"',1,,"alpha"\r\n,2,,"beta"\r\n' >"$LIST"
start_app "$LIST" cutshort

# 1. Emptied (": >" by mistake): told at once, not reloaded as an empty list.
: >"$LIST"
focus_dialog cutshort
keys Return
xdotool windowfocus --sync "$WID"
keys alt+s
focus_dialog cutshort
keys Return
wait_until 50 file_has "$LIST" '"beta"' || fail "Save did not keep the window's tasks: $(cat -A "$LIST")"
[ -f "$LIST.bak" ] && [ ! -s "$LIST.bak" ] || fail "the emptied file was not kept as the backup"

# 2. Deleted: Save asks; Cancel writes nothing, Yes writes the list again.
rm -f "$LIST"
xdotool windowfocus --sync "$WID"
keys alt+s
focus_dialog Confirm
keys Escape
sleep 0.5
[ ! -e "$LIST" ] || fail "Save wrote a deleted file without asking"
xdotool windowfocus --sync "$WID"
keys alt+s
focus_dialog Confirm
keys Return
wait_until 50 file_has "$LIST" '"alpha"' || fail "Yes did not write the list again"
kill -0 "$APP_PID" || fail "the window ended"
echo "cut-short journey passed"
