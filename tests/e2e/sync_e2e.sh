#!/usr/bin/env bash
# A second process plays the sync tool: it replaces the task file by rename while the window is
# open. With nothing typed the window reloads; with an edit pending, Save merges both sides; two
# windows on two names of one file (a symbolic link) each keep their edit.
source "$(dirname "$0")/lib.sh"
start_x

header='"Date","Priority","SubPriority","Description"\r\n'
# sync_write FILE BYTES: what a sync tool does, a new file renamed over the old one.
sync_write() {
  printf "$2" >"$1.partial"
  mv -f "$1.partial" "$1"
}
# save_in WINDOW [DIALOG]: Alt+S in the window; with DIALOG, accepts the merge message it shows.
save_in() {
  xdotool windowfocus --sync "$1"
  keys alt+s
  if [ -n "${2:-}" ]; then
    focus_dialog "$2"
    keys Return
  fi
}
no_dialog() {
  sleep 0.5
  ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

# 1. Nothing typed: the window takes the new file within 2 s, and Alt+S writes it (as its own,
#    without a merge message).
LIST=$E2E_TMP/sync.todo
printf "$header"',1,,"alpha"\r\n,2,,"beta"\r\n' >"$LIST"
start_app "$LIST" sync
sync_write "$LIST" '"Date","Priority","SubPriority","Description"\n,1,,"alpha"\n,2,,"beta"\n,3,,gamma\n'
sleep 2
save_in "$WID"
wait_until 50 file_has "$LIST" ',3,,"gamma"' || fail "reloaded task not written: $(cat -A "$LIST")"
no_dialog sync || fail "the window merged instead of reloading"
[ "$(cat "$LIST")" = "$(printf "$header"',1,,"alpha"\r\n,2,,"beta"\r\n,3,,"gamma"\r\n')" ] ||
  fail "reload then save: $(cat -A "$LIST")"

# 2. An edit here, an addition and a deletion there: Save writes all three and says so.
keys Tab Tab Tab
type_text "typed here"
sync_write "$LIST" "$header"',1,,"alpha"\r\n,3,,"gamma"\r\n,4,,"delta"\r\n'
sleep 1
save_in "$WID" sync
wait_until 50 file_has "$LIST" "typed here" || fail "the edit was lost: $(cat -A "$LIST")"
file_has "$LIST" '"delta"' || fail "their addition was lost: $(cat -A "$LIST")"
! file_has "$LIST" '"beta"' || fail "their deletion was undone: $(cat -A "$LIST")"
kill "$APP_PID"

# 3. Two windows on two names of one file, each editing its own task, both save.
TWO=$E2E_TMP/two.todo
LINK=$E2E_TMP/link.todo
printf "$header"',1,,"first"\r\n,2,,"second"\r\n' >"$TWO"
ln -s "$TWO" "$LINK"
start_app "$TWO" two
WID_TWO=$WID
start_app "$LINK" link
WID_LINK=$WID
xdotool windowfocus --sync "$WID_TWO"
keys Tab Tab Tab
type_text "one edit"
xdotool windowfocus --sync "$WID_LINK"
keys Down Tab Tab Tab
type_text "other edit"
save_in "$WID_TWO"
wait_until 50 file_has "$TWO" "one edit" || fail "first window did not save: $(cat -A "$TWO")"
save_in "$WID_LINK" link
wait_until 50 file_has "$TWO" "other edit" || fail "second window's edit missing: $(cat -A "$TWO")"
file_has "$TWO" "one edit" || fail "first window's edit was overwritten: $(cat -A "$TWO")"
[ -L "$LINK" ] || fail "the link was replaced by a file"
echo "sync journey passed"
