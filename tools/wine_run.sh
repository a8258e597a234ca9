#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine in the prefix $WINEPREFIX and returns its exit status.
# The prefix is made on first use, 64-bit, with Times New Roman answered by Liberation Serif
# (the same metrics), a crash ending the program at once instead of waiting on a dialog that
# no one will close, and every process in it is stopped afterwards. Without a display the
# program gets a virtual one.
#   wine_run.sh PROGRAM.exe [ARGUMENT...]
#   wine_run.sh --prepare        only make the prefix
set -uo pipefail
: "${WINEPREFIX:?wine_run.sh needs WINEPREFIX}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all

prepare() {
    [ -f "$WINEPREFIX/.prepared" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 && wineserver -w &&
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
            /d 'Liberation Serif' /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1 && wineserver -w &&
        touch "$WINEPREFIX/.prepared" ||
        { echo "wine_run.sh: could not make the Wine prefix $WINEPREFIX" >&2; return 1; }
}

if [ "${1:-}" = --prepare ]; then
    prepare
    exit
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run --auto-servernum --server-args='-screen 0 1024x768x24 -nolisten tcp' "$0" "$@"
fi
prepare || exit 1
wine "$@"
status=$?
wineserver -k 2>/dev/null
exit $status
