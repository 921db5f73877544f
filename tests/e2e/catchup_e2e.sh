#!/usr/bin/env bash
# Shift+Alt+I catches a weekly task three weeks overdue up to its next date in one step, and
# Ctrl+Z takes that step back whole.
source "$(dirname "$0")/lib.sh"
start_x

LIST=$E2E_TMP/catchup.todo
day() { date -d "$1" +%-m/%-d/%y; }
overdue=$(day "-20 days")
printf '"Date","Priority","SubPriority","Description"\r\n%s,,,":weekly Bins out"\r\n' "$overdue" >"$LIST"
start_app "$LIST" catchup

saved_date() { sed -n '2p' "$LIST" | cut -d, -f1; }
save_and_expect() {
  keys alt+s
  wait_until 50 bash -c '[ "$(sed -n 2p "$0" | cut -d, -f1)" = "$1" ]' \
    "$LIST" "$1" || fail "saved date is $(saved_date), not $1"
}

# Three presses of Increment would give 20 days back + 21: tomorrow.
keys shift+alt+i
save_and_expect "$(day "+1 day")"
keys ctrl+z
save_and_expect "$overdue"
echo "catch-up journey passed"
