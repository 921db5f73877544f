#!/usr/bin/env bash
# Under sway, a compositor with a seat: typing reaches the cell and Alt+S saves it, and a second
# start on the same list brings the first window forward through xdg-activation with the token a
# launcher hands it. sway refuses to run as root, so under root sway and Taskwell run as nobody.
source "$(dirname "$0")/lib.sh"
unset DISPLAY QT_QPA_PLATFORM WAYLAND_DISPLAY
for tool in sway swaymsg wtype; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done

user=$E2E_TMP/user
mkdir -p "$user/home" "$user/run"
chmod 755 "$E2E_TMP" "$user"
chmod 700 "$user/run"
as_user=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody:nogroup "$user"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# Everything below runs as that user, in its own home and runtime folder; started in the
# background directly, so that the pid the clean-up ends is the program's own.
user_env() {
  USER_CMD=("${as_user[@]}" env -i HOME="$user/home" XDG_RUNTIME_DIR="$user/run" PATH=/usr/bin:/bin
    LANG=C.UTF-8 QT_QPA_PLATFORM=wayland)
  [ -z "${socket:-}" ] || USER_CMD+=(WAYLAND_DISPLAY="$socket" SWAYSOCK="$SWAYSOCK")
}
run() {
  user_env
  "${USER_CMD[@]}" "$@"
}

printf 'output HEADLESS-1 resolution 1280x1024\nfocus_on_window_activation focus\n' >"$user/sway.conf"
user_env
"${USER_CMD[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 sway -c "$user/sway.conf" \
  >"$E2E_TMP/sway.log" 2>&1 &
APP_PIDS+=("$!")
if ! wait_until 100 bash -c 'ls "$0"/wayland-* "$0"/sway-ipc.*' "$user/run"; then
  echo "SKIP: sway did not start: $(tail -n 3 "$E2E_TMP/sway.log")"
  exit 0
fi
socket=$(basename "$(ls "$user"/run/wayland-* | grep -v lock | head -n 1)")
SWAYSOCK=$(ls "$user"/run/sway-ipc.* | head -n 1)
user_env

focused() {
  run swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("focused"): print(node.get("name"))
    for child in node.get("nodes", []) + node.get("floating_nodes", []): walk(child)
walk(json.load(sys.stdin))'
}
is_focused() { [ "$(focused)" = "$1" ]; }

header='"Date","Priority","SubPriority","Description"\r\n'
printf "$header"',,,"Water the plants"\r\n' >"$user/home/a.todo"
printf "$header"',,,"Other list"\r\n' >"$user/home/b.todo"
[ -z "${as_user[*]}" ] || chown nobody:nogroup "$user"/home/*.todo

"${USER_CMD[@]}" "$BIN" "$user/home/a.todo" >"$E2E_TMP/app.log" 2>&1 &
APP_PIDS+=("$!")
wait_until 150 is_focused "Taskwell V3.4 - a" || fail "the window on a.todo did not open: $(focused)"

# The virtual keyboard arrives with wtype; Qt needs a moment before it takes shortcuts from it.
run wtype -s 500 -k Tab -k Tab -k Tab -d 20 "Feed the cat" -s 200 -M alt -k s -m alt -s 200
expected=$(printf "$header"',,,"Feed the cat"\r\n')
wait_until 50 bash -c '[ "$(cat "$0")" = "$1" ]' "$user/home/a.todo" "$expected" ||
  fail "typing and Alt+S did not save: $(cat -A "$user/home/a.todo")"

"${USER_CMD[@]}" "$BIN" "$user/home/b.todo" >"$E2E_TMP/b.log" 2>&1 &
APP_PIDS+=("$!")
wait_until 150 is_focused "Taskwell V3.4 - b" || fail "the window on b.todo did not take the focus"

# A launcher's token goes with the second start; the refused start's message comes first, and
# once it is answered the window on a.todo, not b.todo, has the focus.
token=$(run python3 "$(dirname "$0")/activation_token.py" taskwell) || fail "no activation token"
"${USER_CMD[@]}" XDG_ACTIVATION_TOKEN="$token" "$BIN" "$user/home/a.todo" >"$E2E_TMP/second.log" 2>&1 &
second=$!
APP_PIDS+=("$second")
wait_until 150 is_focused "Taskwell" || fail "the second start showed no message: $(focused)"
run wtype -s 400 -k Return -s 200
wait_until 100 bash -c '! kill -0 "$0" 2>/dev/null' "$second" || fail "the second start did not end"
wait_until 50 is_focused "Taskwell V3.4 - a" || fail "the first window was not raised: $(focused)"
echo "sway journey passed"
