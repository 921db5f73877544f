#!/usr/bin/env bash
# A screen reader's view of the window, over a private accessibility bus: roles and names, one
# announced focus per cursor move with the column and the text, and Ctrl+Tab out of the grid.
source "$(dirname "$0")/lib.sh"
start_x
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | {
  read -r address
  read -r pid
  echo "export DBUS_SESSION_BUS_ADDRESS='$address'; DBUS_PID=$pid"
})"
APP_PIDS+=("$DBUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
APP_PIDS+=("$!")
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 GTK_MODULES=

LIST=$E2E_TMP/a11y.todo
printf '"Date","Priority","SubPriority","Description"\r\n,1,,"Feed the cat"\r\n,2,,"Water the plants"\r\n,3,,"Buy stamps"\r\n' >"$LIST"
start_app "$LIST" a11y
timeout 60 /usr/bin/python3 "$(dirname "$0")/a11y_listen.py" "Taskwell V3.4 - a11y" || fail "accessibility checks"
# The bus launcher starts the registry daemon itself; it ends with the bus.
kill "$DBUS_PID" 2>/dev/null || true
echo "accessibility journey passed"
