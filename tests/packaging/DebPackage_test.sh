#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2015  # "pass" always succeeds, so "&& pass || fail" is safe
# Builds the Debian package from the existing build tree, then checks it as apt and dpkg would see
# it: the control fields, runtime dependencies that name real packages, root-owned files in the
# expected layout, and a program that, unpacked into a scratch root, finds its libraries and
# starts offscreen.
# Usage: DebPackage_test.sh BUILD_DIR VERSION [WITH_PNG_ICONS(ON|OFF)]
set -uo pipefail
build=${1:?build directory}
version=${2:?package version}
withPng=${3:-ON}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/packaging_lib.sh"

for tool in cpack dpkg dpkg-deb ldd timeout; do
  command -v "$tool" >/dev/null || { fail "$tool is not installed"; finish; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  fail "cpack failed"
  finish
fi
shopt -s nullglob
debs=("$scratch"/out/taskwell_"$version"_*.deb)
((${#debs[@]} == 1)) || { fail "expected one taskwell_${version}_*.deb, found: $(ls "$scratch/out")"; finish; }
deb=${debs[0]}
pass "built $(basename "$deb")"

# --- Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
declare -A want=([Package]=taskwell [Version]=$version [Maintainer]="Taskwell developers"
  [Section]=utils [Architecture]=$(dpkg --print-architecture))
for key in Package Version Maintainer Section Architecture; do
  [[ $(field "$key") == "${want[$key]}" ]] && pass "$key: ${want[$key]}" ||
    fail "$key is '$(field "$key")', not '${want[$key]}'"
done
[[ -n $(field Description) ]] && pass "Description" || fail "no Description"

depends=$(field Depends)
for name in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libqt6network6 libqt6keychain1 \
  libical3 fonts-liberation; do
  grep -qE "(^|, )$name( |,|$)" <<<"$depends" && pass "depends on $name" || fail "Depends lacks $name: $depends"
done
# A misspelt dependency would make the package uninstallable.
while IFS= read -r name; do
  if dpkg-query -W "$name" >/dev/null 2>&1 || apt-cache show "$name" >/dev/null 2>&1; then
    pass "dependency $name is a known package"
  else
    fail "dependency $name is not a known package"
  fi
done < <(tr ',|' '\n' <<<"$depends" | sed -E 's/\(.*\)//; s/:any//; s/^ +//; s/ +$//' | grep -v '^$' | sort -u)

# --- Contents: the layout under /usr, owned by root.
listing=$(dpkg-deb -c "$deb")
diff -u <(expected_files "$withPng" | sed 's:^:usr/:' | sort) \
  <(awk '$1 !~ /^d/ {sub(/^\.\//, "", $6); print $6}' <<<"$listing" | sort) >"$scratch/layout.diff" &&
  pass "packaged files" || { cat "$scratch/layout.diff"; fail "packaged files differ from the expected layout"; }
owners=$(awk '{print $2}' <<<"$listing" | sort -u)
[[ $owners == root/root ]] && pass "owned by root" || fail "owners in the package: $owners"

# --- Unpacked, the program finds its libraries and starts.
root=$scratch/root
dpkg -x "$deb" "$root"
program=$root/usr/bin/taskwell
check_modes "$root" "$program"
[[ $(file -b "$program") == *", stripped"* ]] && pass "program is stripped" || note "program is not stripped"
# The plug-ins are loaded at run time, so their libraries are checked apart.
missing=$(ldd "$program" "$root"/usr/lib/taskwell/*.so 2>&1 | grep 'not found')
[[ -z $missing ]] && pass "every shared library resolves" || fail "ldd: $missing"
check_user_units "$root/usr/lib/systemd/user" "$program"

home=$scratch/home
mkdir -p "$home" "$scratch/run"
chmod 700 "$scratch/run"
cp "$root/usr/share/doc/taskwell/examples/sample.todo" "$home/list.todo"
env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$scratch/run" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
  QT_QPA_PLATFORM=offscreen timeout -k 2 2 "$program" "$home/list.todo" >"$scratch/run.log" 2>&1
status=$?
case $status in
  124) pass "program stays up offscreen" ;;
  0) note "program ended by itself at once"; pass "program starts offscreen" ;;
  *)
    cat "$scratch/run.log"
    fail "program ended with status $status"
    ;;
esac
# Nobody pressed Save or Close, so the task file must be as it was.
cmp -s "$root/usr/share/doc/taskwell/examples/sample.todo" "$home/list.todo" &&
  pass "task file untouched without a save" || fail "the task file changed although nothing was saved"

# The sync's network part is found where the package puts it: a sync setup to a loopback port
# that nobody listens on fails on the connection, not on a missing plug-in.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf 'machine 127.0.0.1 login u password p\n' >"$home/.netrc"
chmod 600 "$home/.netrc"
env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$scratch/run" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
  TASKWELL_SYNC_TIMEOUT=5 timeout -k 2 20 "$program" --sync-setup "http://u@127.0.0.1:$port/tasks/" \
  "$home/list.todo" >"$scratch/sync.log" 2>&1
status=$?
if [[ $status == 1 ]] && grep -q '127.0.0.1' "$scratch/sync.log" && ! grep -q 'network part' "$scratch/sync.log"; then
  pass "the installed program loads its network part"
else
  cat "$scratch/sync.log"
  fail "sync setup ended with status $status"
fi

finish
