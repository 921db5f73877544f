#!/usr/bin/env bash
# Sorting by a header click, a shorthand date completed on leaving the cell, Find, and a pasted
# two-line description joined with ", ".
source "$(dirname "$0")/lib.sh"
start_x

LIST=$E2E_TMP/grid.todo
printf '"Date","Priority","SubPriority","Description"\r\n,,,"pear"\r\n,,,"apple"\r\n,,,"cherry"\r\n' >"$LIST"
start_app "$LIST" grid

# A click on the "Description " header sorts by description.
width=$(window_width)
click_in_window 300 60
xdotool windowfocus --sync "$WID"
keys alt+s
wait_until 50 bash -c 'head -n 2 "$0" | tail -n 1 | grep -q apple' "$LIST" || fail "header click did not sort: $(cat "$LIST")"
grep -n . "$LIST" | tr -d '\r' | grep -q '4:,,,"pear"' || fail "order is not apple, cherry, pear: $(cat "$LIST")"

# Find "PEAR" (case does not matter) moves the cursor to that description.
xdotool mousemove --sync 0 0
click_in_window 210 10
type_text "PEAR"
keys alt+f
# The cursor is now in pear's description: type a shorthand date into its date cell instead.
keys shift+Tab shift+Tab shift+Tab
type_text "3/1"
keys Tab
# Paste two lines into the description of the first task.
printf 'first line\r\nsecond line' | xclip -selection clipboard -i 2>/dev/null || true
keys Up Up Tab Tab
keys ctrl+a ctrl+v
keys Down
keys alt+s
year=$(date +%Y)
month=$(date +%-m)
next=$year
[ "$month" -gt 3 ] && next=$((year + 1))
wait_until 50 grep -q "^3/1/${next: -2},,,\"pear\"" "$LIST" || fail "date not completed: $(cat -A "$LIST")"
if command -v xclip >/dev/null; then
  grep -q '"first line, second line"' "$LIST" || fail "pasted lines not joined: $(cat -A "$LIST")"
fi
echo "grid journey passed (width $width)"
