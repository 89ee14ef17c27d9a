#!/usr/bin/env bash
# The Debian package from start to end, as a user meets it:
#
#   on this machine: the desktop entry and the AppStream metadata validate,
#   the icons have their sizes, `cmake --install` lays out the program folder,
#   cpack makes vantrell_<version>_<arch>.deb with the dependencies it needs;
#
#   in a clean Debian 12 root (debootstrap, minbase): apt installs the package
#   with nothing but its own dependencies and the binary and its plugins
#   resolve every library; then, with Xvfb and PulseAudio added for the test,
#   the command from the desktop entry shows the splash, a click the board,
#   `b` plays a sound on a null sink and F1 the manual; `apt-get remove
#   --purge` leaves no file of the package behind.
#
# Usage: package_test.sh SOURCE_DIR BUILD_DIR VERSION
#
# Needs root, or sudo without a password, for debootstrap and chroot; without
# either it says so and exits 77, which CTest reports as skipped. The
# debootstrapped root is kept as a tarball in $VANTRELL_PACKAGE_TEST_CACHE
# (default /var/cache/vantrell-package-test), with the packages apt fetched,
# so later runs only unpack it. VANTRELL_PACKAGE_TEST_KEEP=1 keeps the test's
# root in BUILD_DIR/package-test/root for a look afterwards.

# dpkg-query's ${Field} formats are meant for dpkg-query, not the shell.
# shellcheck disable=SC2016
set -euo pipefail

readonly SKIP=77
readonly SUITE=bookworm

phase=host
if [ "${1:-}" = "--in-root" ]; then
    phase=root
    shift
fi
if [ $# -ne 3 ]; then
    echo "usage: $0 SOURCE_DIR BUILD_DIR VERSION" >&2
    exit 2
fi
src=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
version=$3
work=$build/package-test
: "${VANTRELL_PACKAGE_TEST_STARTED:=$(date +%s)}"
export VANTRELL_PACKAGE_TEST_STARTED

step() {
    printf '[%4ds] %s\n' $(($(date +%s) - VANTRELL_PACKAGE_TEST_STARTED)) "$*"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Prints the last lines of a log when a command writing to it failed.
run_logged() {
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        echo "--- last lines of $log" >&2
        tail -n 40 "$log" >&2
        fail "$* failed"
    fi
}

arch=$(dpkg --print-architecture)
deb_name=vantrell_${version}_${arch}.deb
deb=$work/out/$deb_name

# Every path the package must own, below /usr.
expected_files=(
    /usr/bin/vantrell
    /usr/lib/vantrell/vantrell
    /usr/lib/vantrell/vantrellhelpfile.rtf
    /usr/lib/vantrell/horn.wav
    /usr/lib/vantrell/buzzer.wav
    /usr/share/applications/vantrell.desktop
    /usr/share/icons/hicolor/16x16/apps/vantrell.png
    /usr/share/icons/hicolor/32x32/apps/vantrell.png
    /usr/share/icons/hicolor/48x48/apps/vantrell.png
    /usr/share/icons/hicolor/64x64/apps/vantrell.png
    /usr/share/icons/hicolor/128x128/apps/vantrell.png
    /usr/share/icons/hicolor/256x256/apps/vantrell.png
    /usr/share/icons/hicolor/scalable/apps/vantrell.svg
    /usr/share/metainfo/org.orvalin.vantrell.metainfo.xml
)

# ---------------------------------------------------------------------------
# On this machine

host_checks() {
    mkdir -p "$work"
    rm -rf "$work/out" "$work/prefix"

    step "validating the desktop entry and the AppStream metadata"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$src/packaging/vantrell.desktop" || fail "desktop-file-validate"
        echo "desktop-file-validate: packaging/vantrell.desktop is valid"
    else
        echo "desktop-file-validate is not installed (desktop-file-utils): not checked"
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net --pedantic "$src/packaging/vantrell.metainfo.xml" \
            || fail "appstreamcli validate"
    else
        echo "appstreamcli is not installed (appstream): not checked"
    fi

    local size described
    for size in 16 32 48 64 128 256; do
        described=$(file -b "$src/packaging/icons/${size}x${size}/vantrell.png")
        case $described in
            "PNG image data, $size x $size,"*) ;;
            *) fail "packaging/icons/${size}x${size}/vantrell.png is $described" ;;
        esac
    done

    step "cmake --install into a scratch prefix"
    run_logged "$work/install.log" cmake --install "$build" --prefix "$work/prefix"
    local path
    for path in "${expected_files[@]}"; do
        path=${path#/usr}
        [ -e "$work/prefix$path" ] || fail "cmake --install did not install <prefix>$path"
    done
    [ -L "$work/prefix/bin/vantrell" ] || fail "<prefix>/bin/vantrell is no symlink"
    [ "$(readlink "$work/prefix/bin/vantrell")" = "../lib/vantrell/vantrell" ] \
        || fail "<prefix>/bin/vantrell points to $(readlink "$work/prefix/bin/vantrell")"
    [ -x "$work/prefix/lib/vantrell/vantrell" ] || fail "the installed binary is not executable"
    if command -v appstreamcli >/dev/null; then
        local tree
        tree=$(appstreamcli validate-tree --no-net "$work/prefix") \
            || fail "appstreamcli validate-tree: $tree"
        ! grep -q 'no-metadata-found' <<<"$tree" || fail "appstreamcli finds no metadata: $tree"
        echo "appstreamcli validate-tree <prefix>: $tree"
    fi

    step "building the package with cpack"
    run_logged "$work/cpack.log" cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out"
    grep '^CPack' "$work/cpack.log"
    [ -f "$deb" ] || fail "cpack made no $deb_name: $(ls "$work/out")"

    local field depends
    [ "$(dpkg-deb -f "$deb" Package)" = vantrell ] || fail "package name"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "package architecture"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for field in libqt6widgets6 libqt6gui6 libqt6multimedia6 qt6-qpa-plugins \
                 gstreamer1.0-plugins-base gstreamer1.0-plugins-good libpulse0 fonts-liberation; do
        [[ ", $depends," == *", $field"[\ ,]* ]] || fail "Depends lacks $field"
    done
    dpkg-deb -c "$deb" >"$work/contents.txt"
    for path in "${expected_files[@]}"; do
        grep -q " \.$path\( ->.*\)\?$" "$work/contents.txt" || fail "the package lacks $path"
    done
    grep -q ' \./usr/bin/vantrell -> \.\./lib/vantrell/vantrell$' "$work/contents.txt" \
        || fail "/usr/bin/vantrell is not the symlink to ../lib/vantrell/vantrell"
}

# ---------------------------------------------------------------------------
# In a clean Debian root

pids=()
mounts=()
root=$work/root

stop_pid() {
    local pid=$1 tries=0
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; return 0; }
    kill -TERM "$pid" 2>/dev/null || true
    while kill -0 "$pid" 2>/dev/null && [ $tries -lt 50 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Mount points at or below a folder, deepest first.
mounts_below() {
    awk -v top="$1" '$5 == top || index($5, top "/") == 1 { print $5 }' /proc/self/mountinfo \
        | sort -r
}

cleanup() {
    local status=$? i
    set +e
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        stop_pid "${pids[i]}"
    done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}"
    done
    if [ -n "$(mounts_below "$root")" ]; then
        echo "still mounted below $root, left as it is:" >&2
        mounts_below "$root" >&2
    elif [ "${VANTRELL_PACKAGE_TEST_KEEP:-0}" != 1 ]; then
        rm -rf --one-file-system "$root"
    fi
    if [ -n "${SUDO_UID:-}" ] && [ -d "$work" ]; then
        chown -R "$SUDO_UID:${SUDO_GID:-$SUDO_UID}" "$work" 2>/dev/null
    fi
    step "done (exit $status)"
    exit $status
}

mount_in_root() {
    local target=$root$1
    shift
    mkdir -p "$target"
    mount "$@" "$target"
    mounts+=("$target")
}

# The Debian mirror this machine's apt uses for a suite, from sources.list
# or the deb822 .sources files.
debian_mirror() {
    local suite=$1 file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk -v want="$suite" '
            function flush() {
                if ((" " types " ") ~ / deb / && (" " suites " ") ~ (" " want " ") && uri != "") {
                    print uri
                    found = 1
                    exit
                }
                types = ""; suites = ""; uri = ""
            }
            /^[ \t]*#/ { next }
            /^[ \t]*$/ { flush(); next }
            tolower($1) == "types:"  { $1 = ""; types = $0 }
            tolower($1) == "suites:" { $1 = ""; suites = $0 }
            tolower($1) == "uris:"   { uri = $2 }
            END { if (!found) flush() }' "$file"
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        awk -v want="$suite" '
            $1 == "deb" {
                i = 2
                if ($2 ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ }
                if ($(i + 1) == want) { print $i; exit }
            }' "$file"
    done
}

# Runs a command in the root as root.
in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@" </dev/null
}

# The command that runs a program in the root as the test's user, on the
# test's display and sound server.
player_prefix() {
    player_cmd=(chroot --userspec="$player_uid:$player_gid" "$root" /usr/bin/env -i
                HOME=/home/player USER=player LOGNAME=player PATH=/usr/local/bin:/usr/bin:/bin
                LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime_dir" DISPLAY="${display:-}")
}

as_player() {
    player_prefix
    "${player_cmd[@]}" "$@" </dev/null
}

# Starts a program in the root as the test's user in the background. chroot
# and env exec it, so the PID kept for the end is the program's own; fd 3,
# when FD3 names a file, goes to that file.
start_as_player() {
    local name=$1
    shift
    player_prefix
    if [ -n "${FD3:-}" ]; then
        "${player_cmd[@]}" "$@" </dev/null >"$logs/$name.log" 2>&1 3>"$FD3" &
    else
        "${player_cmd[@]}" "$@" </dev/null >"$logs/$name.log" 2>&1 &
    fi
    pids+=($!)
    local tries=0
    while [ "$(cat "/proc/$!/comm" 2>/dev/null)" != "$name" ] && [ $tries -lt 50 ]; do
        kill -0 $! 2>/dev/null || fail "$name ended at once: $(tail -5 "$logs/$name.log")"
        sleep 0.1
        tries=$((tries + 1))
    done
    [ "$(cat "/proc/$!/comm" 2>/dev/null)" = "$name" ] || fail "PID $! is not $name"
}

# Waits for a visible window whose title matches; prints its id.
wait_for_window() {
    as_player timeout "$2" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Rows of a screenshot with dark pixels (grey below 100 of 255) away from the
# left and right 20 pixels: lines of text on the help window's light page.
text_rows() {
    as_player convert "$1" -colorspace Gray -depth 8 -compress none pgm:- | awk '
        /^#/ { next }
        {
            for (i = 1; i <= NF; i++) {
                if (header < 4) {
                    h[header++] = $i
                    continue
                }
                x = k % h[1]; y = int(k / h[1]); k++
                if (x >= 20 && x < h[1] - 20 && $i * 255 / h[3] < 100)
                    dark[y] = 1
            }
        }
        END { n = 0; for (y in dark) n++; print n }'
}

sink_inputs() {
    as_player pactl list sink-inputs short
}

root_phase() {
    trap cleanup EXIT
    trap 'exit 143' TERM
    trap 'exit 130' INT

    local cache=${VANTRELL_PACKAGE_TEST_CACHE:-/var/cache/vantrell-package-test}
    local tarball=$cache/$SUITE-minbase-$arch.tar
    local logs=$work/logs shots=$work/shots
    mkdir -p "$cache/archives/partial" "$logs" "$shots"
    rm -f "$logs"/* "$shots"/*

    local mirror security
    mirror=$(debian_mirror "$SUITE" | head -n 1)
    security=$(debian_mirror "$SUITE-security" | head -n 1)
    mirror=${mirror:-http://deb.debian.org/debian}
    mirror=${mirror%/}
    security=${security%/}
    echo "Debian mirror: $mirror${security:+, security: $security}"

    # A clean root, from the cached tarball or debootstrapped now.
    exec 9>"$cache/lock"
    flock 9
    if [ ! -s "$tarball" ]; then
        step "debootstrap --variant=minbase $SUITE (first run: this takes minutes)"
        local fresh=$cache/bootstrap
        [ -z "$(mounts_below "$fresh")" ] || fail "something is mounted below $fresh"
        rm -rf --one-file-system "$fresh"
        run_logged "$logs/debootstrap.log" \
            debootstrap --variant=minbase --arch="$arch" "$SUITE" "$fresh" "$mirror"
        chroot "$fresh" apt-get clean
        tar --numeric-owner -C "$fresh" -cf "$tarball.part" .
        mv "$tarball.part" "$tarball"
        rm -rf --one-file-system "$fresh"
        step "cached the clean root as $tarball ($(du -h "$tarball" | cut -f1))"
    else
        step "unpacking the cached clean root $tarball"
    fi
    flock -u 9
    exec 9>&-

    [ -z "$(mounts_below "$root")" ] || fail "something is still mounted below $root"
    rm -rf --one-file-system "$root"
    mkdir -p "$root"
    tar --numeric-owner -C "$root" -xpf "$tarball"

    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    {
        echo "deb $mirror $SUITE main"
        echo "deb $mirror $SUITE-updates main"
        [ -z "$security" ] || echo "deb $security $SUITE-security main"
    } >"$root/etc/apt/sources.list"
    rm -f "$root"/etc/apt/sources.list.d/*
    # No service starts inside the root.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"

    mount_in_root /proc -t proc proc
    mount_in_root /sys -t sysfs -o ro sysfs
    mount_in_root /dev --bind /dev
    mount_in_root /dev/pts --bind /dev/pts
    mount_in_root /dev/shm -t tmpfs -o mode=1777,size=256m tmpfs
    mount_in_root /var/cache/apt/archives --bind "$cache/archives"

    step "apt-get update in the root"
    run_logged "$logs/apt-update.log" in_root apt-get update

    # The package with its own dependencies only: no recommended packages.
    step "apt-get install ./$deb_name (no recommended packages)"
    cp "$deb" "$root/tmp/$deb_name"
    local before after
    before=$(in_root dpkg-query -W -f='${Package}\n' | wc -l)
    run_logged "$logs/apt-install.log" \
        chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive sh -c "cd /tmp && apt-get install -y --no-install-recommends ./$deb_name" </dev/null
    after=$(in_root dpkg-query -W -f='${Package}\n' | wc -l)
    echo "the package brought $((after - before - 1)) packages into a minbase root of $before"
    [ "$(in_root dpkg-query -W -f='${Status}' vantrell)" = "install ok installed" ] \
        || fail "vantrell is not installed"

    step "what the package alone gives"
    local owned path
    owned=$(in_root dpkg -L vantrell)
    for path in "${expected_files[@]}"; do
        grep -qx "$path" <<<"$owned" || fail "dpkg -L vantrell does not list $path"
        [ -e "$root$path" ] || fail "$path is not there"
    done
    [ "$(in_root readlink -f /usr/bin/vantrell)" = /usr/lib/vantrell/vantrell ] \
        || fail "/usr/bin/vantrell does not lead to /usr/lib/vantrell/vantrell"
    # The binary, the X11 platform plugin, Qt Multimedia's back ends and the
    # GStreamer elements that read and convert WAV sound.
    local libraries=(/usr/lib/vantrell/vantrell) pattern found
    for pattern in '*/qt6/plugins/platforms/libqxcb.so' '*/qt6/plugins/multimedia/*.so' \
                   '*/gstreamer-1.0/libgstwavparse.so' '*/gstreamer-1.0/libgstaudioconvert.so'; do
        found=$(in_root find /usr/lib -path "$pattern")
        [ -n "$found" ] || fail "nothing installed matches $pattern"
        mapfile -t -O ${#libraries[@]} libraries <<<"$found"
    done
    local library unresolved
    for library in "${libraries[@]}"; do
        unresolved=$(in_root ldd "$library" | grep 'not found' || true)
        [ -z "$unresolved" ] || fail "$library: $unresolved"
        echo "ldd $library: every library found"
    done
    local arial
    arial=$(in_root fc-match -f '%{family}' Arial)
    [[ $arial == *"Liberation Sans"* ]] || fail "Arial is drawn with $arial, not Liberation Sans"
    echo "fc-match Arial: $arial"

    step "installing the test's own tools into the root: X server, xdotool, ImageMagick, PulseAudio"
    run_logged "$logs/apt-tools.log" in_root apt-get install -y --no-install-recommends \
        xvfb xdotool x11-utils imagemagick pulseaudio pulseaudio-utils

    in_root useradd --create-home --shell /bin/bash player
    player_uid=$(in_root id -u player)
    player_gid=$(in_root id -g player)
    runtime_dir=/run/user/$player_uid
    mkdir -p "$root$runtime_dir" "$root/tmp/.X11-unix" "$root/tmp/shots"
    chmod 700 "$root$runtime_dir"
    chmod 1777 "$root/tmp/.X11-unix"
    chown "$player_uid:$player_gid" "$root$runtime_dir" "$root/tmp/shots"

    step "starting Xvfb and PulseAudio (null sink) in the root"
    local number_file=$root/tmp/display-number
    : >"$number_file"
    FD3=$number_file start_as_player Xvfb Xvfb -displayfd 3 -nolisten tcp -screen 0 1920x1080x24
    local tries=0
    while ! grep -q '^[0-9]' "$number_file" && [ $tries -lt 100 ]; do
        kill -0 "${pids[-1]}" 2>/dev/null || fail "Xvfb ended: $(cat "$logs/Xvfb.log")"
        sleep 0.1
        tries=$((tries + 1))
    done
    display=:$(head -n 1 "$number_file")
    [ "$display" != ":" ] || fail "Xvfb gave no display number"
    tries=0
    until as_player xdpyinfo >/dev/null 2>&1; do
        [ $tries -lt 100 ] || fail "X server $display does not answer"
        sleep 0.1
        tries=$((tries + 1))
    done
    echo "X server on $display"

    start_as_player pulseaudio pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
        --load=module-native-protocol-unix "--load=module-null-sink sink_name=null"
    tries=0
    until as_player pactl info >/dev/null 2>&1; do
        kill -0 "${pids[-1]}" 2>/dev/null || fail "pulseaudio ended: $(tail -5 "$logs/pulseaudio.log")"
        [ $tries -lt 100 ] || fail "pulseaudio does not answer"
        sleep 0.1
        tries=$((tries + 1))
    done
    local null_sink
    null_sink=$(as_player pactl list sinks short | awk '$2 == "null" { print $1 }')
    [ -n "$null_sink" ] || fail "no null sink"

    # The command a desktop starts from the menu entry.
    local command
    command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/vantrell.desktop")
    [ "$command" = vantrell ] || fail "the desktop entry runs '$command'"
    [ "$(as_player sh -c "command -v $command")" = /usr/bin/vantrell ] \
        || fail "$command is not /usr/bin/vantrell on the PATH"

    step "running '$command' from the home folder"
    start_as_player vantrell sh -c "cd \$HOME && exec $command"
    local app=${pids[-1]}

    local splash board help
    splash=$(wait_for_window '^Welcome to Vantrell$' 30)
    [ -n "$splash" ] || fail "no splash window; the program said: $(tail -20 "$logs/vantrell.log")"
    as_player import -window "$splash" /tmp/shots/splash.png
    local geometry width height
    geometry=$(as_player xdotool getwindowgeometry --shell "$splash")
    width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
    if [ -z "$width" ] || [ -z "$height" ]; then
        fail "no size for the splash window: $geometry"
    fi
    echo "splash window $splash, ${width}x$height"
    as_player xdotool mousemove --window "$splash" $((width / 2)) $((height / 4)) click 1
    board=$(wait_for_window '^Vantrell$' 30)
    [ -n "$board" ] || fail "no board after a click on the splash"
    echo "board window $board"
    # The program's icon on the board's title bar and task bar entry:
    # _NET_WM_ICON holds width, height and pixels.
    local icon size
    icon=$(as_player xprop -id "$board" -f _NET_WM_ICON 32c _NET_WM_ICON)
    size=$(sed -n '1s/^_NET_WM_ICON(CARDINAL) = \([1-9][0-9]*\), \([1-9][0-9]*\),.*/\1x\2/p' <<<"${icon:0:200}")
    [ -n "$size" ] || fail "the board window has no icon: ${icon:0:80}"
    echo "board window icon: $size"
    sleep 1
    as_player import -window "$board" /tmp/shots/board.png

    step "b on the board: a sound on the null sink"
    [ -z "$(sink_inputs)" ] || fail "a sound plays before any key: $(sink_inputs)"
    as_player xdotool windowfocus --sync "$board" key --window "$board" b
    local streams=""
    tries=0
    while [ -z "$streams" ] && [ $tries -lt 100 ]; do
        sleep 0.1
        streams=$(sink_inputs)
        tries=$((tries + 1))
    done
    [ -n "$streams" ] || fail "no sound stream after b; the program said: $(tail -20 "$logs/vantrell.log")"
    echo "pactl list sink-inputs short: $streams"
    awk -v sink="$null_sink" '$2 != sink { exit 1 }' <<<"$streams" \
        || fail "the stream is not on the null sink ($null_sink)"

    step "F1 on the board: the manual"
    as_player xdotool windowfocus --sync "$board" key --window "$board" F1
    help=$(wait_for_window '^Vantrell Help$' 30)
    [ -n "$help" ] || fail "no help window after F1"
    local rows=0
    tries=0
    while [ "$rows" -le 150 ] && [ $tries -lt 20 ]; do
        sleep 0.5
        as_player import -window "$help" /tmp/shots/help.png
        rows=$(text_rows /tmp/shots/help.png)
        tries=$((tries + 1))
    done
    echo "help window $help: $rows rows with text"
    # The manual fills the page; the sentence for a missing manual takes
    # a line or two.
    [ "$rows" -gt 150 ] || fail "the help window shows $rows rows of text, not the manual"
    kill -0 "$app" 2>/dev/null || fail "the program ended"
    cp "$root"/tmp/shots/*.png "$shots/"

    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        stop_pid "${pids[i]}"
    done
    pids=()

    step "apt-get remove --purge vantrell"
    run_logged "$logs/apt-remove.log" in_root apt-get remove --purge -y vantrell
    [ "$(in_root dpkg-query -W -f='${db:Status-Abbrev}' vantrell 2>/dev/null || true)" != "ii " ] \
        || fail "vantrell is still installed"
    for path in "${expected_files[@]}"; do
        if [ -e "$root$path" ] || [ -L "$root$path" ]; then
            fail "$path is left after purge"
        fi
    done
    [ ! -e "$root/usr/lib/vantrell" ] || fail "/usr/lib/vantrell is left after purge"
    # Anything else named for us, outside the user's home, the test's files
    # and the logs.
    local left
    left=$(find "$root" \( -path "$root/proc" -o -path "$root/sys" -o -path "$root/dev" \
        -o -path "$root/var/cache/apt/archives" -o -path "$root/home" -o -path "$root/tmp" \
        -o -path "$root/var/log" \) -prune -o -iname '*vantrell*' -print)
    [ -z "$left" ] || fail "left after purge: $left"
    echo "nothing of the package is left"
    in_root apt-get autoclean >/dev/null
}

# ---------------------------------------------------------------------------

if [ "$phase" = root ]; then
    root_phase
    exit 0
fi

host_checks

if [ "$(id -u)" -ne 0 ]; then
    if sudo -n true 2>/dev/null; then
        step "continuing as root through sudo"
        exec sudo -n --preserve-env=VANTRELL_PACKAGE_TEST_STARTED,VANTRELL_PACKAGE_TEST_CACHE,VANTRELL_PACKAGE_TEST_KEEP \
            bash "$0" "$src" "$build" "$version"
    fi
    echo "SKIPPED: installing the package into a clean Debian root needs root (debootstrap," \
         "chroot, mount), and this user is not root and has no sudo without a password." \
         "The checks on this machine above passed."
    exit $SKIP
fi

# Passes a stop to the first process of the namespace the root phase runs in.
stop_namespace() {
    local first
    first=$(cat "/proc/$namespace/task/$namespace/children" 2>/dev/null || true)
    [ -z "$first" ] || kill -TERM "$first" 2>/dev/null || true
}

for tool in debootstrap chroot unshare setpriv flock; do
    command -v "$tool" >/dev/null \
        || fail "$tool is missing: bash scripts/setup.sh --tests installs it"
done

# Mounts made in a mount namespace of its own vanish with it, whatever
# becomes of this script; the root's processes live in a PID namespace that
# ends with it too. Where namespaces are not allowed, the traps alone clean up.
if unshare --mount --pid --fork --mount-proc --propagation private true 2>/dev/null; then
    # unshare itself ignores TERM and INT while its child runs: a stop is
    # passed to the namespace's first process, whose traps clean up. If this
    # script is killed outright, unshare dies with it and its child is sent
    # TERM all the same.
    setpriv --pdeathsig KILL \
        unshare --mount --pid --fork --mount-proc --propagation private --kill-child=SIGTERM \
        bash "$0" --in-root "$src" "$build" "$version" &
    namespace=$!
    trap stop_namespace TERM INT HUP
    status=0
    while :; do
        wait "$namespace" && status=0 || status=$?
        kill -0 "$namespace" 2>/dev/null || break
    done
    exit $status
fi
root_phase
