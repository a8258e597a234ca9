#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands as a new user meets them: each in its own clean Debian 12 root (a
# debootstrap minbase with nothing else installed), with this checkout's files copied in.
#   ./dev run      must install what it needs, build, and end at the no-display hint;
#   ./dev package  must install what it needs and make the .deb.
# The clean root is made once and kept as a tarball in the user's cache. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."

cache="${XDG_CACHE_HOME:-$HOME/.cache}/caesar-cipher"
clean_root="$cache/debian-12-minbase.tar"
mirror=http://deb.debian.org/debian

fail() {
    echo "front_door_test: $*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || fail "needs root, to make and enter a Debian root"

if [ ! -f "$clean_root" ]; then
    mkdir -p "$cache"
    staging=$(mktemp -d "$cache/debootstrap.XXXXXX")
    debootstrap --variant=minbase bookworm "$staging/root" "$mirror" >"$staging/log" 2>&1 ||
        { tail -n 20 "$staging/log" >&2; rm -rf "$staging"; fail "debootstrap failed"; }
    tar -C "$staging/root" -cf "$staging/root.tar" .
    mv "$staging/root.tar" "$clean_root"
    rm -rf "$staging"
fi

scratch=$(mktemp -d)
mounted=()
cleanup() {
    local point
    for point in "${mounted[@]}"; do umount -l "$point" 2>/dev/null || true; done
    rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT

# A fresh root holding the checkout's files (committed or not, as git sees them) in /src,
# at $root.
fresh_root() {
    root="$scratch/$1"
    mkdir -p "$root"
    tar -C "$root" -xf "$clean_root"
    mkdir "$root/src"
    git ls-files -z --cached --others --exclude-standard |
        tar -c --null --no-recursion -T - | tar -C "$root/src" -x
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    mounted+=("$root/proc")
}

in_root() {
    local root=$1
    shift
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        bash -c "cd /src && $*"
}

started=$SECONDS
fresh_root run
status=0
in_root "$root" ./dev run >"$scratch/run.log" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -q 'There is no display' "$scratch/run.log" ||
    { tail -n 30 "$scratch/run.log" >&2; fail "./dev run did not reach the no-display hint"; }
[ -x "$root/src/build/run/app/caesar" ] || fail "./dev run built no program"
echo "front_door_test: ./dev run built the program and gave the no-display hint" \
    "($((SECONDS - started)) s)"

started=$SECONDS
fresh_root package
in_root "$root" ./dev package >"$scratch/package.log" 2>&1 ||
    { tail -n 30 "$scratch/package.log" >&2; fail "./dev package failed"; }
compgen -G "$root/src/build/release/caesar-cipher-lesson_*_amd64.deb" >/dev/null ||
    fail "./dev package made no .deb"
echo "front_door_test: ./dev package made the .deb ($((SECONDS - started)) s)"
