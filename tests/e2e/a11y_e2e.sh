#!/usr/bin/env bash
# A screen reader's view of the window, over a private accessibility bus: roles and names, one
# announced focus per cursor move with the column and the text, and Ctrl+Tab out of the grid.
source "$(dirname "$0")/lib.sh"
start_x
start_accessibility_bus
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 GTK_MODULES=

LIST=$E2E_TMP/a11y.todo
printf '"Date","Priority","SubPriority","Description"\r\n,1,,"Feed the cat"\r\n,2,,"Water the plants"\r\n,3,,"Buy stamps"\r\n' >"$LIST"
start_app "$LIST" a11y
timeout 60 /usr/bin/python3 "$(dirname "$0")/a11y_listen.py" "Taskwell V3.4 - a11y" || fail "accessibility checks"
echo "accessibility journey passed"
