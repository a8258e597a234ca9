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
# wintab sources and mingw-w64 no wintab.h. direct2d must stay on: the windows platform
# plugin's font database needs it; the Direct2D platform plugin (direct2d1_1) is never loaded.
# The pictures are raw images in the resources and the icon comes through the .rc file, so no
# JPEG, GIF or ICO reader. Optimised for size. The system_* libraries are Linux's, so Qt's
# bundled copies are built instead.
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
    -DFEATURE_direct2d1_1=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
    -DFEATURE_optimize_size=ON
    -DFEATURE_testlib=ON
)
version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/[+~-].*//')
# From 6.5 on Qt can build as unity sources: fewer, larger compile units.
if dpkg --compare-versions "$version" ge 6.5; then
    options+=(-DQT_UNITY_BUILD=ON)
fi
# What the prefix holds beside Qt itself; raise it when that changes. 2: the attributions.
layout=2
# The cache is keyed by the options, the toolchain's settings (comments do not count) and
# the layout.
hash=$({ printf '%s\n' "${options[@]}"; grep -v '^ *#' "$toolchain"; echo "layout $layout"; } |
    sha256sum | cut -c1-12)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/caesar-cipher"
prefix="$cache/qt-$version-x86_64-w64-mingw32-static-$hash"

if [ -d "$prefix" ] && ! $rebuild; then
    echo "$prefix"
    exit 0
fi

# apt-get source needs Debian's source archive. It is read through a private sources list and
# state folder made from the system's Debian entries, so the system's apt configuration and
# lists stay as they are.
fetch_source() {
    local apt="$work/apt" version
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    mkdir -p "$apt/sources" "$apt/lists/partial" "$apt/cache/archives/partial"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            >"$apt/sources/debian-src.sources"
    fi
    if [ -f /etc/apt/sources.list ]; then
        grep -E '^deb .*(debian|ubuntu)' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            >"$apt/sources/debian-src.list" || true
    fi
    local private=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt/sources"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "Debug::NoLocking=1")
    apt-get "${private[@]}" update -q >&2
    (cd "$work" && apt-get "${private[@]}" source -q "qt6-base=$version") >&2
}

mkdir -p "$cache"
work=$(mktemp -d "$cache/qt-build.XXXXXX")
chmod 755 "$work"  # apt-get source downloads as the _apt user
trap 'rm -rf "$work"' EXIT
started=$SECONDS
fetch_source
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$work/install" "${options[@]}" >"$work/configure.log" 2>&1 ||
    { tail -n 40 "$work/configure.log" >&2; exit 1; }
echo "Building Qt $version for Windows (about 20 minutes on 2 idle cores, once)" >&2
cmake --build "$work/build" >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
# The licences of the third-party code that Qt bundles, and which object files carry it, for
# the notices that travel with the program.
/usr/bin/python3 tools/qt_attributions.py collect "$source_dir" "$work/build" \
    "$work/install/share/attributions"
# A half-finished build never counts as cached: the prefix appears only now, whole.
rm -rf "$prefix"
mv "$work/install" "$prefix"
echo "Qt for Windows built in $((SECONDS - started)) s" >&2
echo "$prefix"
