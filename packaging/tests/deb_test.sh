#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the .deb from a build tree, checks what it declares and holds, unpacks it into a
# scratch root and starts the program from there under Xvfb, and the lessons page by its entry.
# Usage: deb_test.sh BUILD_DIRECTORY PROGRAM APP_ID LESSONS_PAGE
set -euo pipefail
build=$1
program=$2
app_id=$3
page=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "deb_test: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(echo "$scratch"/out/*.deb)
[ -f "$deb" ] || fail "no .deb was made"

depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libstdc++6 fonts-liberation2 qt6-qpa-plugins \
    qt6-translations-l10n xdg-utils; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

# Debian's own checks: no error, no warning. Informational tags are allowed.
lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
    { cat "$scratch/lintian.log"; fail "lintian found faults"; }

root="$scratch/root"
dpkg-deb --extract "$deb" "$root"
lessons=usr/share/$program/$program.html
lessons_entry=usr/share/applications/$app_id.Lessons.desktop
expected=("$lessons" "$lessons_entry" usr/share/lintian/overrides/$program
    usr/bin/$program usr/share/applications/$app_id.desktop usr/share/man/man1/$program.1.gz
    usr/share/doc/$program/copyright usr/share/doc/$program/changelog.gz
    usr/share/metainfo/$app_id.metainfo.xml
    usr/share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/$app_id.png)
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
# The copyright file covers these: the project's own work, and in the lessons page the code
# compiled in with emscripten, which has an entry of its own there; anything else would need
# one too.
others=$(cd "$root" && find . -type f -printf '%P\n' | grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[ -z "$others" ] || fail "the package holds files its copyright file does not cover: $others"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" "$root/$lessons_entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"
cmp "$page" "$root/$lessons" || fail "the package's lessons page is not the one built"
# The lessons' entry, run as a desktop runs it, hands the installed page to xdg-open: here a
# stand-in that notes what it was given.
printf '#!/bin/sh\necho "$*" >"%s"\n' "$scratch/opened" |
    install -D /dev/stdin "$scratch/bin/xdg-open"
# Its quoting is the shell's for a plain path.
eval "command=($(sed -n 's/^Exec=//p' "$root/$lessons_entry"))"
PATH="$scratch/bin:$PATH" "${command[@]}"
grep -qxF "/$lessons" "$scratch/opened" || fail "the lessons' entry opens $(cat "$scratch/opened")"
[ "$(head -c 15 "$root/$lessons")" = '<!DOCTYPE html>' ] || fail "/$lessons is not a page"

# Without a valid fontconfig cache for the serif, start-up takes five times as long.
serif_dir=$(dirname "$(fc-match --format='%{file}' 'Liberation Serif')")
fc-cat "$serif_dir" 2>/dev/null | grep -c 'Liberation Serif' >/dev/null ||
    fail "no valid fontconfig cache for $serif_dir"

# The installed program must start and show its window.
env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR xvfb-run --auto-servernum bash -c '
    "$1" & program=$!
    timeout 20 xdotool search --sync --onlyvisible --pid "$program" >/dev/null ||
        { kill "$program"; echo "deb_test: the installed program showed no window" >&2; exit 1; }
    kill "$program"
' starter "$root/usr/bin/$program"
echo "deb_test: $(basename "$deb") holds, declares and starts what it should"
