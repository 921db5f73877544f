#!/usr/bin/env bash
# The program at home on a desktop: the command line answers without a display and never touches
# the file, --due lists the coming days, Ctrl+F / Enter / Escape / Ctrl+S / Alt+P work from the keyboard,
# the window carries the desktop's class, and a second start brings the first window forward.
source "$(dirname "$0")/lib.sh"

# --- Without any display.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
out=$("$BIN" --help) || fail "--help did not exit 0"
[[ $out == Usage:* ]] || fail "--help printed: $out"
[ "$("$BIN" --version)" = "Taskwell 3.4" ] || fail "--version printed: $("$BIN" --version)"
[ -z "$(ls -A "$HOME")" ] || fail "--help or --version created: $(ls -A "$HOME")"
# An answer that cannot be written is a failure, not a success.
for option in --help --version; do
  "$BIN" "$option" >/dev/full 2>/dev/null && fail "$option into a full disk exited 0"
done
status=0
"$BIN" --no-such-option >/dev/null 2>"$E2E_TMP/err" || status=$?
[ "$status" = 2 ] && [ "$(wc -l <"$E2E_TMP/err")" = 1 ] || fail "unknown option: $status, $(cat "$E2E_TMP/err")"
status=0
"$BIN" "$E2E_TMP/none.todo" 2>"$E2E_TMP/err" || status=$?
[ "$status" != 0 ] && grep -q "DISPLAY" "$E2E_TMP/err" || fail "no display: $status, $(cat "$E2E_TMP/err")"

LIST=$E2E_TMP/desk.todo
in3=$(date -d "+3 days" +%-m/%-d/%y)
in30=$(date -d "+30 days" +%-m/%-d/%y)
printf '"Date","Priority","SubPriority","Description"\r\n%s,,,"Pay the rent"\r\n%s,,,"Renew the passport"\r\n,4,,"Wash the car"\r\n' \
  "$in3" "$in30" >"$LIST"
before=$(md5sum <"$LIST")
due=$("$BIN" --due 7 "$LIST") || fail "--due failed: $due"
[ "$(printf '%s\n' "$due" | head -n 1)" = desk ] || fail "--due title: $due"
printf '%s\n' "$due" | grep -q "^$(date -d "+3 days" +%m/%d/%Y) .* Pay the rent\$" || fail "--due lacks the task in 3 days: $due"
printf '%s\n' "$due" | grep -q "Wash the car" || fail "--due lacks the undated priority-4 task: $due"
printf '%s\n' "$due" | grep -q "passport" && fail "--due lists the task in 30 days: $due"
[ "$(md5sum <"$LIST")" = "$before" ] && [ ! -e "$LIST.bak" ] || fail "--due changed the file"

# --- On a display.
start_x
start_app "$LIST" desk
xprop -id "$WID" WM_CLASS | grep -q '"taskwell", "Taskwell"' || fail "window class: $(xprop -id "$WID" WM_CLASS)"

# Ctrl+F, a word, Enter: the keyboard lands in the matching task; Escape from the box goes back
# to that cell untouched, and Ctrl+S saves what is typed there.
keys ctrl+f
type_text "wash"
keys Return
keys ctrl+f Escape
keys End
type_text " today"
keys ctrl+s
wait_until 50 file_has "$LIST" ',4,,"Wash the car today"' || fail "Find, Escape and Ctrl+S: $(cat "$LIST")"

# Print comes from its plug-in, loaded at the first press: the dialog shows, offering a PDF file
# in the home folder where no printer is set up, and Enter prints the list there.
keys alt+p
wait_until 100 xdotool search --onlyvisible --name "^Print\$" || fail "Alt+P showed no print dialog"
keys Return
wait_until 100 test -s "$HOME/print.pdf" || fail "Enter in the print dialog printed no file"
wait_until 50 bash -c "pdftotext '$HOME/print.pdf' - | grep -q 'Wash the car today'" ||
  fail "the printed list: $(pdftotext "$HOME/print.pdf" - 2>&1 | head -n 5)"

# A second start on the same file: the first window comes above the window that covers it, and
# the refusal is still shown.
FIRST=$WID
"$BIN" "$E2E_TMP/other.todo" >"$E2E_TMP/other.log" 2>&1 &
APP_PIDS+=("$!")
wait_until 150 xdotool search --name "^Taskwell V3.4 - other\$" || fail "second list did not open"
OTHER=$(xdotool search --name "^Taskwell V3.4 - other\$" | head -n 1)
# Children of the root window, bottom to top.
stack() { xwininfo -root -children | awk '/^ +0x/ {print $1}' | tac; }
is_above() { local order; order=$(stack | grep -n -x -e "$(printf '0x%x' "$1")" -e "$(printf '0x%x' "$2")" | cut -d: -f2 | head -n 1); [ "$order" = "$(printf '0x%x' "$2")" ]; }
wait_until 50 is_above "$OTHER" "$FIRST" || fail "the second list does not cover the first"
"$BIN" "$LIST" >"$E2E_TMP/second.log" 2>&1 &
SECOND=$!
APP_PIDS+=("$SECOND")
focus_dialog Taskwell
# The raise request travels to the first window on its own; it may land after the dialog shows.
wait_until 50 is_above "$FIRST" "$OTHER" || fail "the first window was not brought forward"
keys Return
wait_until 50 bash -c "! kill -0 $SECOND" || fail "refused instance did not end"
echo "desktop journey passed"
