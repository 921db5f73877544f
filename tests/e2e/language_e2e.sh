#!/usr/bin/env bash
# A German and a French user: --help in their language, and in the window the Increment button's
# translated access key brings up the translated message on a task without a date; a message
# built at run time (an unknown option) is in their language too.
source "$(dirname "$0")/lib.sh"
start_x

journey() {
  local locale=$1 usage=$2 key=$3 caption=$4 unknown=$5 list
  export LANG=$locale LC_ALL=$locale
  "$BIN" --help | head -n 1 | grep -qF -- "$usage" || fail "$locale: --help is not translated"
  { "$BIN" --bogus 2>&1 || true; } | grep -qF -- "$unknown" || fail "$locale: the usage error is not translated"
  list=$E2E_TMP/$locale.todo
  printf '"Date","Priority","SubPriority","Description"\r\n,3,,"Tidy the garage"\r\n' >"$list"
  start_app "$list" "${locale%%.*}"
  keys "alt+$key"
  focus_dialog "$caption"
  keys Return
  wait_until 50 bash -c "! xdotool search --onlyvisible --name '^$caption\$'" ||
    fail "$locale: the message did not close"
  kill "$APP_PID"
}

journey de_DE.UTF-8 "Aufruf: taskwell" w "Fehler beim Weiterschalten" "unbekannte Option „--bogus“"
journey fr_FR.UTF-8 "Utilisation : taskwell" r "Erreur de report" "option inconnue « --bogus »"
echo "language journey passed"
