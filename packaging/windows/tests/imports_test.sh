#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails unless every DLL the Windows program imports is one that Windows itself provides:
# Qt, the C++ runtime and the threads library must all be linked in.
# Usage: imports_test.sh caesar.exe
set -euo pipefail
imports=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || { echo "imports_test: no imports read from $1" >&2; exit 1; }
echo "$1 imports:" $imports
foreign=$(grep -Ev '^(advapi32|shcore|authz|comdlg32|d3d11|d3d12|d3d9|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|msvcrt|netapi32|ntdll|ole32|oleaut32|setupapi|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|cfgmgr32|comctl32|mpr|api-ms-win-[a-z0-9-]+)\.dll$' <<<"$imports" || true)
[ -z "$foreign" ] || { echo "imports_test: not a Windows system DLL:" $foreign >&2; exit 1; }
