#!/usr/bin/env bash
# At 150 % and 200 % no two visible controls overlap and none reaches past
# the window, also after the window is made as narrow as it lets itself be.
source "$(dirname "$0")/lib.sh"
start_x
start_accessibility_bus
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# A window manager holds the window to its minimum size, as every desktop does.
openbox >/dev/null 2>&1 &
APP_PIDS+=("$!")
# Focusing a window that the window manager is still taking over fails: wait until it runs.
wait_until 100 bash -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not start"

LIST=$E2E_TMP/scale.todo
printf '"Date","Priority","SubPriority","Description"\r\n,1,,"Water the plants"\r\n' >"$LIST"
for factor in 1.5 2; do
  QT_SCALE_FACTOR=$factor start_app "$LIST" scale
  timeout 60 /usr/bin/python3 "$(dirname "$0")/scale_overlap.py" "Taskwell V3.4 - scale" ||
    fail "at $factor as it opens"
  xdotool windowsize --sync "$WID" 100 400 || true
  sleep 0.3
  timeout 60 /usr/bin/python3 "$(dirname "$0")/scale_overlap.py" "Taskwell V3.4 - scale" ||
    fail "at $factor made narrow"
  kill -TERM "$APP_PID"
  wait_until 100 bash -c '! kill -0 "$0" 2>/dev/null' "$APP_PID" || fail "the window did not close"
done
echo "scale journey passed"
