#!/usr/bin/env bash
# A list large enough to be read while the window is built opens whole, in its own encoding, and
# a save writes it back so; a large file that stops loading part of the way is kept as it was.
source "$(dirname "$0")/lib.sh"
start_x
header='"Date","Priority","SubPriority","Description"\r\n'

# 20,000 single-byte tasks (about 500 KB): row 1 is deleted and the rest saved as they were read.
LIST=$E2E_TMP/large.todo
{
  printf "$header"
  awk 'BEGIN { for (i = 1; i <= 20000; i++) printf ",%d,,\"Caf\351 task %d\"\r\n", i % 10, i }'
} >"$LIST"
tail -n +3 "$LIST" >"$E2E_TMP/rest"
start_app "$LIST" large
keys alt+d alt+s
wait_until 100 bash -c '[ "$(tail -n +2 "$0" | cmp - "$1" && echo same)" = same ]' "$LIST" \
  "$E2E_TMP/rest" || fail "the saved list is not the loaded one less its first task"
head -n 1 "$LIST" | cmp - <(printf "$header") || fail "the header changed"
keys alt+c
wait_until 50 bash -c '! kill -0 "$0" 2>/dev/null' "$APP_PID" || fail "Close did not end the program"

# A bad field two thirds of the way: the tasks before it are shown, the failure is told, and the
# first save keeps the whole original as a backup.
BROKEN=$E2E_TMP/broken.todo
{
  printf "$header"
  awk 'BEGIN { for (i = 1; i <= 20000; i++) printf (i == 15000 ? ",abc,,\"bad\"\r\n" : ",1,,\"a task of the broken list %d\"\r\n"), i }'
} >"$BROKEN"
cp "$BROKEN" "$E2E_TMP/original"
"$BIN" "$BROKEN" >"$E2E_TMP/app.log" 2>&1 &
APP_PIDS+=("$!")
# The failure is told before the window shows.
focus_dialog broken
keys Return
wait_until 150 xdotool search --onlyvisible --name "^Taskwell V3.4 - broken\$" || fail "no window after the message"
WID=$(xdotool search --onlyvisible --name "^Taskwell V3.4 - broken\$" | head -n 1)
xdotool windowfocus --sync "$WID"
keys alt+s
wait_until 100 test -f "$BROKEN.bak" || fail "no backup of the original"
cmp "$BROKEN.bak" "$E2E_TMP/original" || fail "the backup is not the original"
wait_until 100 bash -c '[ "$(grep -c task "$0")" = 14999 ]' "$BROKEN" ||
  fail "the save does not hold the 14,999 tasks shown"
echo "large journey passed"
