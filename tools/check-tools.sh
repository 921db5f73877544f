#!/usr/bin/env bash
# Every program the build and the tests call must come from a package that `make deps` installs
# (or one those packages pull in, or an essential one): a tool left on this machine by hand would
# make the tests pass here and fail on a fresh one.
# Usage: tools/check-tools.sh BUILD_DIR "DEPS..."
set -euo pipefail
build=$1
deps=$2

# Programs the scripts run by name (journeys, packaging checks, make targets).
tools=(cmake ctest cpack ninja clang-format clang-tidy clang++ xvfb-run Xvfb xauth xdotool xprop xwininfo
  import rsvg-convert pdftotext desktop-file-validate appstreamcli groff dpkg-deb dpkg-shlibdeps
  ldd file xclip setpriv mount timeout cmp sha256sum locale dbus-daemon dbus-monitor dbus-send dunst
  dunstctl systemd-analyze weston /usr/bin/python3 openbox fiu-run sway swaymsg wtype syncthing curl
  xev xdpyinfo stdbuf
  jq radicale openssl gnome-keyring-daemon)

# Programs CMake found: every FILEPATH entry of the cache that names an executable.
while IFS='=' read -r key path; do
  [[ -x $path && -f $path ]] && tools+=("$path")
done < <(sed -n 's/^\([A-Za-z0-9_]*\):FILEPATH=\(.*\)$/\1=\2/p' "$build/CMakeCache.txt")

# The allowed packages: the list, everything it depends on, and the essential set.
allowed=$(dpkg-query -W -f='${Package}\t${Essential}\t${Depends}, ${Pre-Depends}\t${Provides}\n' |
  awk -F'\t' -v roots="$deps" '
    { pkg=$1; essential[pkg]=($2=="yes"); deps[pkg]=$3
      n=split($4, pv, /, */); for (i=1;i<=n;i++) { split(pv[i], w, " "); if (w[1]!="") provider[w[1]]=provider[w[1]] " " pkg } }
    END {
      n=split(roots, r, /[ \t\n]+/); head=0; tail=0
      for (i=1;i<=n;i++) if (r[i]!="") queue[tail++]=r[i]
      for (p in essential) if (essential[p]) queue[tail++]=p
      while (head<tail) {
        p=queue[head++]; sub(/:.*/, "", p); if (p=="" || (p in seen)) continue; seen[p]=1
        if (p in provider) { m=split(provider[p], q, " "); for (j=1;j<=m;j++) queue[tail++]=q[j] }
        m=split(deps[p], d, /[,|]/)
        for (j=1;j<=m;j++) { split(d[j], w, " "); if (w[1]!="") queue[tail++]=w[1] }
      }
      for (p in seen) print p
    }')

missing=0
for tool in "${tools[@]}"; do
  # Skip stand-ins under /usr/local: a fresh machine is judged by what its packages install.
  path=""
  while read -r candidate; do
    [[ $candidate == /usr/local/* ]] && continue
    path=$candidate
    break
  done < <(if [[ $tool == /* && $tool != /usr/local/* ]]; then echo "$tool"; else
    which -a "$(basename "$tool")" 2>/dev/null || true; fi)
  if [[ -z $path ]]; then
    echo "check-tools: $tool is not installed by any package" >&2
    missing=1
    continue
  fi
  # Packages may record a file under /bin or /usr/bin alike (merged /usr).
  owner=""
  for name in "$(realpath "$path")" "$path" "${path#/usr}" "/usr$path"; do
    owner=$(dpkg -S "$name" 2>/dev/null | head -n1 | cut -d: -f1 || true)
    [[ -n $owner ]] && break
  done
  if [[ -z $owner ]]; then
    echo "check-tools: $tool ($path) belongs to no Debian package" >&2
    missing=1
  elif ! grep -qx "$owner" <<<"$allowed"; then
    echo "check-tools: $tool comes from $owner, which the Makefile does not install" >&2
    missing=1
  fi
done
[[ $missing == 0 ]] && echo "check-tools: every program comes from an installed package (${#tools[@]} checked)"
exit $missing
