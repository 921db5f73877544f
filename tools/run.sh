#!/usr/bin/env bash
# Starts Taskwell. Without a display (a server, CI) it runs under a virtual X server instead and
# leaves a screenshot of the window in build/screenshot.png.
set -euo pipefail
binary=$1
shift
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$binary" "$@"
fi
shot="$(dirname "$binary")/screenshot.png"
echo "No display: starting Taskwell under Xvfb and taking a screenshot."
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
  "$0" "${@:2}" &
  app=$!
  for _ in $(seq 1 100); do
    xdotool search --name "^Taskwell V[0-9.]* - " >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  import -window root "$1"
  kill $app
' "$binary" "$shot" "$@"
echo "Screenshot: $shot"
