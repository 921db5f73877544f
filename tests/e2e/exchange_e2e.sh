#!/usr/bin/env bash
# Export… and Import… from the window: the file dialog writes an iCalendar file that --import
# reads back into the same task lines; --import waits for no window that holds the list; an
# import in the window is one change that Ctrl+Z takes back.
source "$(dirname "$0")/lib.sh"
start_x

LIST=$E2E_TMP/trip.todo
printf '"Date","Priority","SubPriority","Project","Description"\r\n6/9/26,,2,3,":monthly::2TUE Club, ""night"" caf\xc3\xa9"\r\n,2.5,,,"Undated"\r\n,0,,7,":weekly  two blanks"\r\n' >"$LIST"
start_app "$LIST" trip

# Ctrl+Shift+E opens the dialog; the file name goes into its line edit.
OUT=$E2E_TMP/out.ics
keys ctrl+shift+e
focus_dialog "Export Tasks"
xdotool type --delay 20 "$OUT"
keys Return
wait_until 100 test -s "$OUT" || fail "the export wrote nothing"
head -c 15 "$OUT" | grep -q BEGIN:VCALENDAR || fail "not iCalendar: $(head -c 100 "$OUT")"

# While the window holds the list, an import into it is refused and changes nothing.
before=$(sha256sum <"$LIST")
if "$BIN" --import "$OUT" "$LIST" >"$E2E_TMP/refused.out" 2>&1; then fail "import ran under a window"; fi
grep -q "is open in a window" "$E2E_TMP/refused.out" || fail "no reason: $(cat "$E2E_TMP/refused.out")"
[ "$(sha256sum <"$LIST")" = "$before" ] || fail "the refused import changed the list"

# Into a new list: the same task lines, byte for byte.
BACK=$E2E_TMP/back.todo
"$BIN" --import "$OUT" "$BACK" >"$E2E_TMP/import.out" 2>&1 || fail "import failed: $(cat "$E2E_TMP/import.out")"
grep -q "^Imported 3 tasks into $BACK.$" "$E2E_TMP/import.out" || fail "summary: $(cat "$E2E_TMP/import.out")"
cmp -s "$LIST" "$BACK" || fail "the round trip differs: $(diff <(cat -A "$LIST") <(cat -A "$BACK"))"

# Import… in the window adds the tasks once; Ctrl+Z takes them all back.
printf 'Imported one due:2026-07-01\n(B) Imported two\n' >"$E2E_TMP/more.txt"
xdotool windowfocus --sync "$WID"
keys ctrl+shift+i
focus_dialog "Import Tasks"
xdotool type --delay 20 "$E2E_TMP/more.txt"
keys Return
focus_dialog "Import"
import -window root "$E2E_TMP/summary.png" 2>/dev/null || true
keys Return
xdotool windowfocus --sync "$WID"
keys alt+s
wait_until 50 file_has "$LIST" '"Imported two"' || fail "the import is not in the list: $(cat "$LIST")"
keys ctrl+z
keys alt+s
wait_until 50 bash -c '! grep -q Imported "$0"' "$LIST" || fail "Ctrl+Z left the import: $(cat "$LIST")"
echo "exchange journey passed"
