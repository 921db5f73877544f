#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2015  # "pass" always succeeds, so "&& pass || fail" is safe
# Installs the build tree into a scratch prefix and checks what lands there: exactly the expected
# files, a desktop entry and metainfo that the desktop's own validators accept and that point at
# files which exist, icons of the sizes their folders claim, and a manual page that renders
# without warnings.
# Usage: InstallTree_test.sh BUILD_DIR WITH_PNG_ICONS(ON|OFF) [VERSION RELEASE]
set -uo pipefail
build=${1:?build directory}
withPng=${2:-ON}
version=${3:-}
release=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/packaging_lib.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/usr

if ! cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log"
  fail "cmake --install failed"
  finish
fi

# --- Exactly the files we mean to ship, nothing left out and nothing extra.
diff -u <(expected_files "$withPng" | sort) <(cd "$prefix" && find . -type f -printf '%P\n' | sort) \
  >"$scratch/layout.diff" && pass "installed files" ||
  { cat "$scratch/layout.diff"; fail "installed files differ from the expected layout"; }
[[ -x $prefix/bin/taskwell ]] && pass "program is executable" || fail "bin/taskwell is not executable"
check_modes "$prefix" "$prefix/bin/taskwell"

# --- Desktop entry and metainfo.
desktop=$prefix/share/applications/taskwell.desktop
check_desktop_entry "$desktop"
exec_name=$(desktop_key "$desktop" Exec | cut -d' ' -f1)
[[ -x $prefix/bin/$exec_name ]] && pass "Exec names the installed program" ||
  fail "Exec=$exec_name is not an installed program"
icon=$(desktop_key "$desktop" Icon)
[[ -f $prefix/share/icons/hicolor/scalable/apps/$icon.svg ]] && pass "Icon names the installed icon" ||
  fail "Icon=$icon has no installed SVG"
check_metainfo "$prefix/share/metainfo/io.github.taskwell.Taskwell.metainfo.xml" "$prefix"
check_user_units "$prefix/lib/systemd/user" "$prefix/bin/taskwell"

# --- Icons.
if command -v xmllint >/dev/null; then
  xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/taskwell.svg" && pass "SVG is well-formed" ||
    fail "SVG is not well-formed"
fi
if [[ $withPng == ON ]]; then
  for size in $ICON_SIZES; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/taskwell.png
    description=$(file -b "$png")
    [[ $description == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] &&
      pass "${size}x${size} icon" || fail "${size}x${size} icon is: $description"
  done
fi

# --- Manual page.
check_man_page "$prefix/share/man/man1/taskwell.1"
check_translated_man_page "$prefix/share/man/de/man1/taskwell.1" "taskwell [DATEI]"
check_translated_man_page "$prefix/share/man/fr/man1/taskwell.1" "taskwell [FICHIER]"

# --- The version the build was configured with, where these files carry it.
if [[ -n $version ]]; then
  metainfo=$prefix/share/metainfo/io.github.taskwell.Taskwell.metainfo.xml
  grep -qF "<release version=\"$release\"" "$metainfo" && pass "metainfo release $release" ||
    fail "metainfo does not name release $release"
  man=$prefix/share/man/man1/taskwell.1
  for phrase in "\"Taskwell $release\"" "\"Taskwell $version\"" "\"Taskwell V$version \\- \""; do
    grep -qF -- "$phrase" "$man" && pass "manual page has $phrase" ||
      fail "manual page lacks $phrase"
  done
  left=$(grep -lE '@[A-Z_]+@' "$man" "$metainfo")
  [[ -z $left ]] && pass "no template placeholders left" || fail "placeholders left in: $left"
fi

finish
