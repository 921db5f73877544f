#!/usr/bin/env bash
# A list large enough to be read while the window is built opens whole, in its own encoding, and
# a save writes it back so.
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

echo "large journey passed"
