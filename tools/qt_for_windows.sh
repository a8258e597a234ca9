#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds static Qt for 64-bit Windows from Debian's own qt6-base source with mingw-w64, once,
# into a cache outside the work tree, and prints the prefix. Later runs find the cache and
# print it at once; --rebuild-qt builds it again.
set -euo pipefail
cd "$(dirname "$0")/.."

rebuild=false
[ "${1:-}" = --rebuild-qt ] && rebuild=true

toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
# Only what the program and its tests use. tabletevent must be off: Debian's source has no
# wintab sources and mingw-w64 no wintab.h. direct2d must stay on: without it the windows
# platform plugin does not link in 6.4. The system_* libraries are Linux's, so Qt's bundled
# copies are built instead.
options=(
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_pkg_config=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
    -DFEATURE_testlib=ON
)
version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/[+~-].*//')
# The cache is keyed by the options and the toolchain's settings; comments do not count.
hash=$({ printf '%s\n' "${options[@]}"; grep -v '^ *#' "$toolchain"; } | sha256sum | cut -c1-12)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/caesar-cipher"
prefix="$cache/qt-$version-x86_64-w64-mingw32-static-$hash"

if [ -d "$prefix" ] && ! $rebuild; then
    echo "$prefix"
    exit 0
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# apt-get source needs Debian's source archive: a deb-src copy of the Debian list.
enable_source_archive() {
    grep -Eqs '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources && return
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            as_root tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
    as_root apt-get update -q >&2
}

enable_source_archive
mkdir -p "$cache"
work=$(mktemp -d "$cache/qt-build.XXXXXX")
chmod 755 "$work"  # apt-get source downloads as the _apt user
trap 'rm -rf "$work"' EXIT
started=$SECONDS
(cd "$work" && apt-get source -q "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)") >&2
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$work/install" "${options[@]}" >"$work/configure.log" 2>&1 ||
    { tail -n 40 "$work/configure.log" >&2; exit 1; }
echo "Building Qt $version for Windows (about 15 minutes on 2 cores, once)" >&2
cmake --build "$work/build" >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
# A half-finished build never counts as cached: the prefix appears only now, whole.
rm -rf "$prefix"
mv "$work/install" "$prefix"
echo "Qt for Windows built in $((SECONDS - started)) s" >&2
echo "$prefix"
