#!/usr/bin/env bash
# Typed date completion, Increment on an n-th weekday rule, Replicate, and Delete with its
# confirmation, then Save.
source "$(dirname "$0")/lib.sh"
start_x

LIST=$E2E_TMP/dates.todo
printf '"Date","Priority","SubPriority","Description"\r\n,3,,"Plain task"\r\n1/10/06,,,":monthly::2TUE Club night"\r\n' >"$LIST"
start_app "$LIST" dates

# "15 Jan" in the first task's date cell completes to 15 January of this year when Tab leaves it.
type_text "15 Jan"
keys Tab
year=$(date +%Y)
weekday=$(LC_ALL=C date -d "$year-01-15" +%a)

# Increment the recurring task: 01/10/2006 becomes the second Tuesday of February.
keys Down
keys alt+i
# Replicate it: the copy, without its rule, lands above and takes the cursor.
keys alt+r
# Delete the recurring source below it, answering the confirmation with Enter (Yes).
keys Down
keys alt+d
focus_dialog Confirm
keys Return
xdotool windowfocus --sync "$WID"
keys alt+s
expected=$(printf '"Date","Priority","SubPriority","Description"\r\n1/15/%s,,,"Plain task"\r\n2/14/06,,,"Club night"\r\n' "${year: -2}")
wait_until 50 bash -c '[ "$(cat "$0")" = "$1" ]' "$LIST" "$expected" ||
  fail "file is not as expected: $(cat -A "$LIST")"
echo "dates journey passed (15 Jan is a $weekday this year)"
