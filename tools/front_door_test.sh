#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's commands as a new user meets them on Debian 12 and on Debian 13: each in its own
# clean root of that release (a debootstrap minbase with nothing else installed), with this
# checkout's files copied in.
#   ./dev run      must install what it needs, build, and end at the no-display hint;
#   ./dev package  must install what it needs and make the .deb, with the lessons page.
# On Debian 13 the development suite (./dev suite) then runs in the root that ./dev run used,
# and the package made on Debian 12 must install there and start.
# Each clean root is made once and kept as a tarball in the user's cache. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."

cache="${XDG_CACHE_HOME:-$HOME/.cache}/caesar-cipher"
mirror=http://deb.debian.org/debian

fail() {
    echo "front_door_test: $*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || fail "needs root, to make and enter a Debian root"

scratch=$(mktemp -d)
mounted=()
cleanup() {
    local point
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R -l "${mounted[i]}" 2>/dev/null || true
    done
    rm -rf --one-file-system "$scratch"
}
trap cleanup EXIT

# The clean root of a release (12 or 13), made on first use.
clean_root() {
    local release=$1 codename tarball
    codename=$([ "$release" = 12 ] && echo bookworm || echo trixie)
    tarball="$cache/debian-$release-minbase.tar"
    if [ ! -f "$tarball" ]; then
        mkdir -p "$cache"
        local staging
        staging=$(mktemp -d "$cache/debootstrap.XXXXXX")
        debootstrap --variant=minbase "$codename" "$staging/root" "$mirror" >"$staging/log" 2>&1 ||
            { tail -n 20 "$staging/log" >&2; rm -rf "$staging"; fail "debootstrap $codename failed"; }
        tar -C "$staging/root" -cf "$staging/root.tar" .
        mv "$staging/root.tar" "$tarball"
        rm -rf "$staging"
    fi
    echo "$tarball"
}

# A fresh root of the release holding the checkout's files (committed or not, as git sees
# them) in /src, at $root.
fresh_root() {
    local release=$1 name=$2 tarball
    tarball=$(clean_root "$release")
    root="$scratch/$name"
    mkdir -p "$root"
    tar -C "$root" -xf "$tarball"
    mkdir "$root/src"
    git ls-files -z --cached --others --exclude-standard |
        tar -c --null --no-recursion -T - | tar -C "$root/src" -x
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    mounted+=("$root/proc")
}

# The devices too, for the suite's virtual screens, terminals and sockets.
with_devices() {
    mount --rbind /dev "$1/dev"
    mounted+=("$1/dev")
    mount -t sysfs sysfs "$1/sys"
    mounted+=("$1/sys")
}

in_root() {
    local root=$1
    shift
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        bash -c "cd /src && $*"
}

# ./dev run in a fresh root; the root stays at $root.
check_run() {
    local release=$1 started=$SECONDS status=0
    fresh_root "$release" "run-$release"
    in_root "$root" ./dev run >"$scratch/run-$release.log" 2>&1 || status=$?
    [ "$status" -eq 1 ] && grep -q 'There is no display' "$scratch/run-$release.log" ||
        { tail -n 30 "$scratch/run-$release.log" >&2
          fail "Debian $release: ./dev run did not reach the no-display hint"; }
    [ -x "$root/src/build/run/app/caesar-cipher-lesson" ] || fail "Debian $release: ./dev run built no program"
    echo "front_door_test: Debian $release: ./dev run built the program and gave the" \
        "no-display hint ($((SECONDS - started)) s)"
}

# ./dev package in a fresh root; the .deb's path is left in $deb.
check_package() {
    local release=$1 started=$SECONDS
    fresh_root "$release" "package-$release"
    in_root "$root" ./dev package >"$scratch/package-$release.log" 2>&1 ||
        { tail -n 30 "$scratch/package-$release.log" >&2; fail "Debian $release: ./dev package failed"; }
    deb=$(compgen -G "$root/src/build/release/caesar-cipher-lesson_*_amd64.deb") ||
        fail "Debian $release: ./dev package made no .deb"
    dpkg-deb --contents "$deb" | grep '/caesar-cipher-lesson\.html$' >/dev/null ||
        fail "Debian $release: the .deb lacks the lessons page"
    echo "front_door_test: Debian $release: ./dev package made the .deb ($((SECONDS - started)) s)"
}

check_run 12
check_package 12
bookworm_deb="$scratch/$(basename "$deb")"
cp "$deb" "$bookworm_deb"

check_run 13
started=$SECONDS
with_devices "$root"
in_root "$root" ./dev suite >"$scratch/suite-13.log" 2>&1 ||
    { grep -E -A30 'tests failed|Error|error:' "$scratch/suite-13.log" | tail -n 60 >&2
      fail "Debian 13: the development suite failed"; }
echo "front_door_test: Debian 13: the development suite passed ($((SECONDS - started)) s)"

check_package 13
# The package made on Debian 12 installs on Debian 13, and the program starts there.
started=$SECONDS
cp "$bookworm_deb" "$root/tmp/"
in_root "$root" "DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/$(basename "$bookworm_deb")" \
    >"$scratch/install-12-on-13.log" 2>&1 ||
    { tail -n 30 "$scratch/install-12-on-13.log" >&2; fail "the Debian 12 package does not install on 13"; }
status=0
in_root "$root" "QT_QPA_PLATFORM=offscreen timeout 5 caesar-cipher-lesson || exit \$?" || status=$?
[ "$status" -eq 124 ] || fail "the Debian 12 package's program did not keep running on 13 ($status)"
echo "front_door_test: the Debian 12 package installs and starts on Debian 13" \
    "($((SECONDS - started)) s)"
