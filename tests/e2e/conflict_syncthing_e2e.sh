#!/usr/bin/env bash
# Two machines edit one list while apart: two Syncthing instances on loopback share its folder,
# their connection is paused, each window saves a different edit, and the connection resumes. The
# sync tool makes a real conflict copy; each window merges it and the list ends merged on both.
source "$(dirname "$0")/lib.sh"
# Exit code 77 is a skip (ctest reports it so), for machines where the sync tool cannot run.
command -v syncthing >/dev/null || { echo "SKIP: syncthing is not installed"; exit 77; }
# The windows keep their state under each machine's own home.
unset XDG_STATE_HOME
start_x
ST_PIDS=()
# Ended, or a zombie waiting for this shell to reap it.
gone() { [ ! -e "/proc/$1" ] || [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)" = Z ]; }
# Each instance is given up to five seconds to shut down before its folders go.
stop_all() {
  local pid
  for pid in "${ST_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${ST_PIDS[@]}"; do wait_until 50 gone "$pid" || kill -9 "$pid" 2>/dev/null || true; done
  cleanup
}
trap stop_all EXIT
# Four free loopback ports, for the two instances' GUI and sync listeners.
read -r -a PORTS < <(python3 -c '
import socket
socks = [socket.socket() for _ in range(4)]
for s in socks: s.bind(("127.0.0.1", 0))
print(*[s.getsockname()[1] for s in socks])')

# rest N METHOD PATH [JSON]: a call to instance N's REST API.
rest() {
  curl -sf --max-time 5 -X "$2" -H "X-API-Key: ${KEY[$1]}" ${4:+--data "$4"} \
    "http://127.0.0.1:${GUI[$1]}$3"
}
# json N PATH FILTER: a value from a GET, picked by jq.
json() { rest "$1" GET "$2" | jq -r "$3"; }

# An instance whose every discovery, relay, NAT, usage-report and upgrade setting is off.
declare -A GUI KEY ID LISTEN
for n in 1 2; do
  home=$E2E_TMP/st$n
  syncthing generate --home="$home" >/dev/null 2>&1 || { echo "SKIP: syncthing cannot make a configuration"; exit 77; }
  GUI[$n]=${PORTS[$((2 * n - 2))]}
  LISTEN[$n]=tcp://127.0.0.1:${PORTS[$((2 * n - 1))]}
  python3 - "$home/config.xml" "${LISTEN[$n]}" "${GUI[$n]}" <<'PY'
import sys, xml.etree.ElementTree as ET
path, listen, gui = sys.argv[1:4]
tree = ET.parse(path); root = tree.getroot()
o = root.find("options")
for tag in ["listenAddress", "globalAnnounceServer", "stunServer"]:
    for e in o.findall(tag): o.remove(e)
ET.SubElement(o, "listenAddress").text = listen
for tag, value in {"globalAnnounceEnabled": "false", "localAnnounceEnabled": "false",
                   "relaysEnabled": "false", "natEnabled": "false", "urAccepted": "-1",
                   "autoUpgradeIntervalH": "0", "crashReportingEnabled": "false",
                   "startBrowser": "false", "reconnectionIntervalS": "1"}.items():
    (o.find(tag) if o.find(tag) is not None else ET.SubElement(o, tag)).text = value
root.find("gui").find("address").text = f"127.0.0.1:{gui}"
for f in root.findall("folder"): root.remove(f)
tree.write(path)
PY
  KEY[$n]=$(sed -n 's:.*<apikey>\(.*\)</apikey>.*:\1:p' "$home/config.xml")
  STNOUPGRADE=1 syncthing serve --home="$home" --no-browser --no-restart --no-default-folder \
    >"$E2E_TMP/st$n.log" 2>&1 &
  ST_PIDS+=($!)
done
for n in 1 2; do
  if ! wait_until 300 rest $n GET /rest/system/ping; then
    echo "SKIP: syncthing did not start: $(tail -3 "$E2E_TMP/st$n.log")"
    exit 77
  fi
  ID[$n]=$(json $n /rest/system/status .myID)
done

header='"Date","Priority","SubPriority","Description"\r\n'
for n in 1 2; do
  mkdir -p "$E2E_TMP/m$n" "$E2E_TMP/home$n"
  printf "$header"',1,,"first"\r\n,2,,"second"\r\n' >"$E2E_TMP/m$n/list.todo"
done
# Each knows the other, and the folder is made with the GUI's defaults (maxConflicts 10).
for n in 1 2; do
  other=$((3 - n))
  rest $n POST /rest/config/devices "{\"deviceID\":\"${ID[$other]}\",\"addresses\":[\"${LISTEN[$other]}\"]}" >/dev/null
  folder=$(rest $n GET /rest/config/defaults/folder |
    jq -c --arg path "$E2E_TMP/m$n" --arg a "${ID[1]}" --arg b "${ID[2]}" \
      '.id = "tw" | .label = "tw" | .path = $path | .devices = [{deviceID: $a}, {deviceID: $b}]')
  [ "$(jq .maxConflicts <<<"$folder")" = 10 ] || fail "the GUI's folder defaults keep no 10 conflicts"
  rest $n POST /rest/config/folders "$folder" >/dev/null
done
connected() { [ "$(json 1 /rest/system/connections ".connections[\"${ID[2]}\"].connected")" = true ]; }
idle() { [ "$(json "$1" '/rest/db/status?folder=tw' '.state == "idle" and .needFiles == 0')" = true ]; }
settle() {
  for n in 1 2; do rest $n POST '/rest/db/scan?folder=tw' >/dev/null; done
  wait_until 300 idle 1 && wait_until 300 idle 2 || fail "the folder did not settle: $1"
}
wait_until 300 connected || fail "the two instances did not connect"
settle "at the start"

# Two windows, one on each machine's copy of the list, each with its own home.
declare -A WIN APP
# Both conditions, not either (xdotool's default): the two windows have the same title.
shown_of() { xdotool search --all --onlyvisible --pid "$1" --name "$2" | head -n 1; }
for n in 1 2; do
  HOME=$E2E_TMP/home$n "$BIN" "$E2E_TMP/m$n/list.todo" >"$E2E_TMP/app$n.log" 2>&1 &
  APP[$n]=$!
  APP_PIDS+=("${APP[$n]}")
  wait_until 150 shown_of "${APP[$n]}" '^Taskwell V3.4 - list$' || fail "window $n did not appear"
  WIN[$n]=$(shown_of "${APP[$n]}" '^Taskwell V3.4 - list$')
done

# focus_on WINDOW: the keyboard goes there only once the X server says it has the focus.
has_focus() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
focus_on() {
  xdotool windowfocus --sync "$1"
  wait_until 50 has_focus "$1" || fail "window $1 did not take the focus"
}
# edit_and_save N TEXT: types over the first task's description in window N and saves.
edit_and_save() {
  local before
  before=$(mtime "$E2E_TMP/m$1/list.todo")
  focus_on "${WIN[$1]}"
  # From the cursor's home on the first task's date to its description.
  keys Tab Tab Tab ctrl+a
  type_text "$2"
  keys Tab alt+s
  wait_until 50 file_has "$E2E_TMP/m$1/list.todo" "$2" ||
    fail "window $1 did not save '$2': $(cat -A "$E2E_TMP/m$1/list.todo")"
  [ "$(mtime "$E2E_TMP/m$1/list.todo")" != "$before" ] || fail "window $1 did not write the file"
}

# Apart: each machine edits the first task its own way, saves, and the sync tool records it.
rest 1 POST "/rest/system/pause?device=${ID[2]}" >/dev/null
rest 2 POST "/rest/system/pause?device=${ID[1]}" >/dev/null
paused() { [ "$(json 1 /rest/system/connections ".connections[\"${ID[2]}\"].paused")" = true ]; }
wait_until 50 paused || fail "the connection did not pause"
edit_and_save 1 "first, edited on one"
edit_and_save 2 "first, edited on two"
settle "after the edits apart"

# Together again: the sync tool keeps one version and makes the other a conflict copy, which it
# carries to both machines.
rest 1 POST "/rest/system/resume?device=${ID[2]}" >/dev/null
rest 2 POST "/rest/system/resume?device=${ID[1]}" >/dev/null
has_copy() { compgen -G "$E2E_TMP/m$1/list.sync-conflict-*.todo" >/dev/null; }
wait_until 300 has_copy 1 && wait_until 300 has_copy 2 ||
  fail "syncthing made no conflict copy on both machines: $(ls "$E2E_TMP/m1" "$E2E_TMP/m2")"

# Each window tells what it merged.
both() { file_has "$1" "first, edited on one" && file_has "$1" "first, edited on two" && file_has "$1" '"second"'; }
for n in 1 2; do
  wait_until 100 shown_of "${APP[$n]}" '^list$' || fail "window $n said nothing of the copy"
done
# The first machine saves the merge; it reaches the second, whose window saves the same.
for n in 1 2; do
  focus_on "$(shown_of "${APP[$n]}" '^list$')"
  keys Return
  focus_on "${WIN[$n]}"
  keys alt+s
  wait_until 100 both "$E2E_TMP/m$n/list.todo" ||
    fail "machine $n did not save the merged list: $(cat -A "$E2E_TMP/m$n/list.todo")"
  settle "after machine $n saved"
done
# The sync tool may be between its temporary file and its rename: wait for both to settle.
both_saved() { both "$E2E_TMP/m1/list.todo" && both "$E2E_TMP/m2/list.todo"; }
wait_until 300 both_saved || fail "a machine lost an edit"
# After the save the copies go aside, so that the sync tool does not spread them again.
# A copy the other machine pulled before its save moved it aside goes when that move reaches it: the
# sync tool reports a deletion only after its watcher delay (10 s by default).
no_copy() { ! has_copy 1 && ! has_copy 2; }
wait_until 300 no_copy || fail "the merged copy stayed beside the list: $(ls "$E2E_TMP/m1" "$E2E_TMP/m2")"
# The machine whose save came first keeps it; the other may see it go with the sync tool first.
compgen -G "$E2E_TMP/home[12]/.local/state/taskwell/conflicts/list.sync-conflict-*.todo" >/dev/null ||
  fail "the merged copy was not kept in a state folder"
# Both windows close, each after the messages its save may have shown, and nothing stays behind.
# The sync tool may still be trading the two saves, and while it swaps the file in, the list is
# briefly missing: Close then asks whether to save the tasks shown, and Yes (the default) keeps
# them.
ended() { ! kill -0 "$1" 2>/dev/null; }
close_window() {
  local dialog
  for _ in 1 2 3 4 5 6; do
    dialog=$(shown_of "$1" '^(list|Confirm)$' || true)
    if [ -n "$dialog" ]; then focus_on "$dialog"; keys Return; else focus_on "$2"; keys alt+c; fi
    wait_until 20 ended "$1" && return 0
  done
  return 1
}
for n in 1 2; do
  kill -0 "${APP[$n]}" || fail "window $n ended"
  close_window "${APP[$n]}" "${WIN[$n]}" || fail "window $n did not close"
done
both "$E2E_TMP/m1/list.todo" && both "$E2E_TMP/m2/list.todo" || fail "Close lost an edit"
echo "conflict journey passed"
