# shellcheck shell=bash disable=SC2015  # "pass" always succeeds, so "&& pass || fail" is safe
# Shared by the packaging checks: a tally of results and the checks that both the install tree
# and the unpacked Debian package go through. Sourced, not run.

ICON_SIZES="16 32 48 64 128 256"
failures=0

pass() { printf 'ok    %s\n' "$1"; }
fail() {
  printf 'FAIL  %s\n' "$1"
  failures=$((failures + 1))
}
note() { printf 'note  %s\n' "$1"; }
finish() {
  if ((failures > 0)); then
    printf '%d check(s) failed\n' "$failures"
    exit 1
  fi
  exit 0
}

# The files the package ships, relative to the installation prefix.
expected_files() {
  local withPng=$1 size
  printf '%s\n' bin/taskwell share/applications/taskwell.desktop \
    share/doc/taskwell/INTERCHANGE.md share/doc/taskwell/examples/sample.todo \
    share/icons/hicolor/scalable/apps/taskwell.svg \
    share/man/man1/taskwell.1 share/man/de/man1/taskwell.1 share/man/fr/man1/taskwell.1 \
    share/metainfo/io.github.taskwell.Taskwell.metainfo.xml lib/taskwell/taskwell-network.so lib/taskwell/taskwell-print.so \
    lib/systemd/user/taskwell-remind.service lib/systemd/user/taskwell-remind.timer
  if [[ $withPng == ON ]]; then
    for size in $ICON_SIZES; do printf 'share/icons/hicolor/%sx%s/apps/taskwell.png\n' "$size" "$size"; done
  fi
}

# Every file under ROOT is readable by all and writable only by its owner; only PROGRAM runs.
check_modes() {
  local root=$1 program=$2 path mode bad=0
  while IFS= read -r -d '' path; do
    mode=$(stat -c '%a' "$path")
    if [[ $path == "$program" ]]; then
      [[ $mode == 755 ]] || { fail "$path has mode $mode, not 755"; bad=1; }
    else
      [[ $mode == 644 ]] || { fail "$path has mode $mode, not 644"; bad=1; }
    fi
  done < <(find "$root" -type f -print0)
  ((bad == 0)) && pass "file modes"
}

# The value of KEY in the [Desktop Entry] group.
desktop_key() { sed -n "s/^$2=//p" "$1" | head -n 1; }

check_desktop_entry() {
  local desktop=$1 key want
  if command -v desktop-file-validate >/dev/null; then
    local out
    out=$(desktop-file-validate "$desktop" 2>&1)
    [[ $? -eq 0 && -z $out ]] && pass "desktop-file-validate" || fail "desktop-file-validate: $out"
  else
    fail "desktop-file-validate is not installed (package desktop-file-utils)"
  fi
  for want in Type=Application Name=Taskwell Icon=taskwell "Exec=taskwell %f" Terminal=false \
    "Categories=Office;ProjectManagement;"; do
    key=${want%%=*}
    [[ $(desktop_key "$desktop" "$key") == "${want#*=}" ]] && pass "desktop $want" ||
      fail "desktop $key is '$(desktop_key "$desktop" "$key")', not '${want#*=}'"
  done
  [[ -n $(desktop_key "$desktop" Comment) ]] && pass "desktop Comment" || fail "desktop entry has no Comment"
}

# The metainfo validates and its launchable is the installed desktop entry.
check_metainfo() {
  local metainfo=$1 root=$2 launchable
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
  [[ -f $root/share/applications/$launchable ]] && pass "metainfo launchable exists" ||
    fail "metainfo launchable '$launchable' is not installed"
  if command -v appstreamcli >/dev/null; then
    local out
    out=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) && pass "appstreamcli validate" ||
      fail "appstreamcli validate: $out"
  else
    note "appstreamcli not installed; metainfo not validated"
  fi
}

# The reminder's units pass systemd-analyze verify (as user units, the program named by its
# installed path so that an uninstalled build can be checked), run --remind, and the timer fires
# in the morning and after login, makes up missed runs, and is enabled by the user alone.
check_user_units() {
  local dir=$1 program=$2 scratch
  scratch=$(mktemp -d)
  mkdir -m 700 "$scratch/run"
  sed "s|^ExecStart=taskwell |ExecStart=$program |" "$dir/taskwell-remind.service" >"$scratch/taskwell-remind.service"
  cp "$dir/taskwell-remind.timer" "$scratch/"
  local out
  out=$(XDG_RUNTIME_DIR=$scratch/run systemd-analyze --user --man=no verify \
    "$scratch/taskwell-remind.service" "$scratch/taskwell-remind.timer" 2>&1) &&
    pass "systemd-analyze verify on the reminder's units" || fail "systemd-analyze verify: $out"
  rm -rf "$scratch"
  grep -qx 'ExecStart=taskwell --remind' "$dir/taskwell-remind.service" && pass "service runs taskwell --remind" ||
    fail "service does not run taskwell --remind"
  grep -qx 'KillMode=process' "$dir/taskwell-remind.service" && pass "a window started by Open outlives the run" ||
    fail "the service would kill the window that Open starts"
  local want
  for want in 'OnCalendar=*-*-* 08:00:00' 'OnStartupSec=3min' 'Persistent=true' 'WantedBy=timers.target'; do
    grep -qxF -- "$want" "$dir/taskwell-remind.timer" && pass "timer $want" || fail "timer lacks $want"
  done
}

# Renders with every groff warning on, and still says what the synopsis promises.
check_man_page() {
  local page=$1 warnings text
  if ! command -v groff >/dev/null; then
    note "groff not installed; manual page not rendered"
    return
  fi
  warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
  [[ -z $warnings ]] && pass "manual page renders without warnings" || fail "groff: $warnings"
  text=$(groff -man -Tascii -P-cbou "$page" 2>/dev/null)
  local phrase
  # shellcheck disable=SC2016  # the manual names the variable itself
  for phrase in "taskwell [FILE]" '$HOME/ToDo.ToDo' "is already being edited." ".bak" \
    "--remind" "systemctl --user enable --now taskwell-remind.timer" \
    daily weekly biweekly monthly bimonthly quarterly semiannual annual; do
    grep -qF -- "$phrase" <<<"$text" && pass "manual mentions $phrase" ||
      fail "manual page does not mention '$phrase'"
  done
}

# A translated manual page: UTF-8 as man-db reads it, rendering cleanly, with its own synopsis.
check_translated_man_page() {
  local page=$1 synopsis=$2 warnings
  command -v groff >/dev/null || return 0
  warnings=$(groff -k -man -Tutf8 -ww -z "$page" 2>&1)
  [[ -z $warnings ]] && pass "${page##*/man/} renders without warnings" || fail "groff: $warnings"
  groff -k -man -Tutf8 -P-cbou "$page" 2>/dev/null | grep -qF -- "$synopsis" &&
    pass "${page##*/man/} has its synopsis" || fail "${page##*/man/} lacks '$synopsis'"
}
