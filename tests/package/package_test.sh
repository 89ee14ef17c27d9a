#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a user meets it: desktop entry and AppStream metadata
# linted; in a clean Debian 12 root, installed with its own dependencies
# alone, every library found, the menu entry's command run to the board under
# Xvfb, and purged without a trace.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR VERSION. Needs root or sudo
# without a password (else exit 77, skipped). The first run debootstraps
# (minutes) and keeps the root in $VANTRELL_PACKAGE_TEST_CACHE (default
# /var/cache/vantrell-package-test).
# apt-get indextargets takes $(FIELD) formats of its own.
# shellcheck disable=SC2016
set -euo pipefail
src=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
version=$3
work=$build/package-test
root=$work/root
arch=$(dpkg --print-architecture)
deb=vantrell_${version}_${arch}.deb
cache=${VANTRELL_PACKAGE_TEST_CACHE:-/var/cache/vantrell-package-test}
files=(/usr/bin/vantrell /usr/lib/vantrell/vantrell /usr/lib/vantrell/vantrellhelpfile.rtf
       /usr/lib/vantrell/horn.wav /usr/lib/vantrell/buzzer.wav /usr/lib/vantrell/formats/race-to-7.json
       /usr/share/applications/vantrell.desktop
       /usr/share/icons/hicolor/48x48/apps/vantrell.png /usr/share/icons/hicolor/scalable/apps/vantrell.svg
       /usr/share/metainfo/org.orvalin.vantrell.metainfo.xml)

fail() { echo "FAIL: $*" >&2; exit 1; }
logged() {
    local log=$work/$1.log
    shift
    "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; fail "$* failed (log: $log)"; }
}
in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@" </dev/null
}

# Runs in a mount and PID namespace of its own: mounts and processes end
# with it, whatever becomes of the test.
in_clean_root() {
    local tarball=$cache/bookworm-minbase-$arch.tar
    mkdir -p "$cache/archives/partial"
    exec 9>"$cache/lock"
    flock 9
    if [ ! -s "$tarball" ]; then
        rm -rf --one-file-system "$cache/bootstrap"
        local mirror
        mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Release: bookworm' 'Created-By: Packages' | head -n 1)
        logged debootstrap debootstrap --variant=minbase bookworm "$cache/bootstrap" "${mirror:-http://deb.debian.org/debian/}"
        chroot "$cache/bootstrap" apt-get clean
        tar --numeric-owner -C "$cache/bootstrap" -cf "$tarball.part" . && mv "$tarball.part" "$tarball"
        rm -rf --one-file-system "$cache/bootstrap"
    fi
    flock -u 9
    mkdir -p "$root"
    tar --numeric-owner -C "$root" -xpf "$tarball"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Created-By: Packages' | sort -u \
        | awk '$2 ~ /^bookworm(-updates|-security)?$/ { print "deb " $1 " " $2 " main" }' >"$root/etc/apt/sources.list"
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d" # no service starts in the root
    chmod 755 "$root/usr/sbin/policy-rc.d"
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount --bind "$cache/archives" "$root/var/cache/apt/archives"

    cp "$work/out/$deb" "$root/tmp/"
    logged apt-update in_root apt-get update
    logged apt-install in_root sh -c "cd /tmp && apt-get install -y --no-install-recommends ./$deb"
    local path plugins name library
    for path in "${files[@]}"; do
        { in_root dpkg -L vantrell | grep -qx "$path" && [ -e "$root$path" ]; } || fail "the package does not install $path"
    done
    # The X11 platform plugin, Qt Multimedia's back ends and the GStreamer
    # elements that read and convert WAV sound, and every library they need.
    plugins=$(in_root find /usr/lib -path '*/platforms/libqxcb.so' -o -path '*/qt6/plugins/multimedia/*.so' \
        -o -name libgstwavparse.so -o -name libgstaudioconvert.so)
    for name in libqxcb.so /multimedia/ libgstwavparse.so libgstaudioconvert.so; do
        grep -q "$name" <<<"$plugins" || fail "nothing installed matches $name"
    done
    for library in /usr/lib/vantrell/vantrell $plugins; do
        ! in_root ldd "$library" | grep 'not found' || fail "$library lacks a library"
    done
    [[ $(in_root fc-match -f '%{family}' Arial) == *"Liberation Sans"* ]] || fail "no font stands in for Arial"

    logged apt-tools in_root apt-get install -y --no-install-recommends xvfb xdotool
    in_root useradd --create-home player
    local ids
    ids=$(in_root id -u player):$(in_root id -g player)
    mkdir -m 700 "$root/tmp/player" && chown "$ids" "$root/tmp/player"
    local player=(chroot --userspec="$ids" "$root" /usr/bin/env -i HOME=/home/player PATH=/usr/bin:/bin
                  LANG=C.UTF-8 XDG_RUNTIME_DIR=/tmp/player)
    local display
    exec 8< <("${player[@]}" Xvfb -displayfd 1 -nolisten tcp -screen 0 1920x1080x24 </dev/null 2>"$work/xvfb.log")
    read -r -t 10 display <&8 || fail "Xvfb gave no display: $(cat "$work/xvfb.log")"
    player+=(DISPLAY=:"$display")
    local command splash
    command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/vantrell.desktop")
    "${player[@]}" sh -c "cd && exec $command" </dev/null >"$work/vantrell.log" 2>&1 &
    local app=$!
    splash=$("${player[@]}" timeout 30 xdotool search --sync --onlyvisible --name '^Welcome to Vantrell$' | head -n 1)
    [ -n "$splash" ] || fail "no splash from '$command': $(tail -n 20 "$work/vantrell.log")"
    "${player[@]}" xdotool mousemove --window "$splash" 40 30 click 1
    "${player[@]}" timeout 30 xdotool search --sync --onlyvisible --name '^Vantrell$' >/dev/null \
        || fail "no board after a click: $(tail -n 20 "$work/vantrell.log")"
    kill "$app"
    wait "$app" || true

    logged apt-remove in_root apt-get remove --purge -y vantrell
    local left
    left=$(find "$root" \( -path "$root/proc" -o -path "$root/dev" -o -path "$root/home" -o -path "$root/tmp" \
        -o -path "$root/var/cache/apt/archives" -o -path "$root/var/log" \) -prune -o -iname '*vantrell*' -print)
    [ -z "$left" ] || fail "left after purge: $left"
    echo "installed, ran and purged in a clean root"
}

if [ "${VANTRELL_PACKAGE_PHASE:-}" = root ]; then
    in_clean_root
    exit
fi
if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || { echo "SKIPPED: a clean root needs root or sudo without a password"; exit 77; }
    exec sudo -n --preserve-env=VANTRELL_PACKAGE_TEST_CACHE bash "$0" "$@"
fi

desktop-file-validate "$src/packaging/vantrell.desktop"
appstreamcli validate --no-net "$src/packaging/vantrell.metainfo.xml"
mkdir -p "$work"
rm -rf "$work/out"
logged cpack cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out"
[ -f "$work/out/$deb" ] || fail "cpack made no $deb"

status=0
VANTRELL_PACKAGE_PHASE=root setpriv --pdeathsig KILL unshare --mount --pid --fork --mount-proc \
    --propagation private --kill-child bash "$0" "$@" || status=$?
rm -rf --one-file-system "$root"
[ -z "${SUDO_UID:-}" ] || chown -R "$SUDO_UID:${SUDO_GID:-$SUDO_UID}" "$work"
exit $status
