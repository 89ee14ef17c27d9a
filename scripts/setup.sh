#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Vantrell needs to build and run (and, with --tests, to run its
# test suite) on Debian 12 or Ubuntu. Quiet and quick when everything is there.
set -euo pipefail

runtime=(cmake g++ make qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-websockets-dev qt6-qpa-plugins fonts-liberation
         libx11-dev libxtst-dev)
testing=(xvfb xdotool x11-utils x11-xserver-utils x11-apps imagemagick pulseaudio
         pulseaudio-utils gstreamer1.0-plugins-base gstreamer1.0-plugins-good sox
         debootstrap dpkg-dev file desktop-file-utils appstream dbus openbox libxss-dev clang-format
         poppler-utils strace qt6-l10n-tools)
# A real browser for the live feed's pages. Where the distribution has no
# chromium package of its own (Ubuntu ships it as a snap), that one test
# is skipped.
optional=(chromium)

wanted=("${runtime[@]}")
extras=()
if [ "${1:-}" = "--tests" ]; then
    wanted+=("${testing[@]}")
    extras+=("${optional[@]}")
fi

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
missing_extras=()
for pkg in "${extras[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing_extras+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_extras[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]} ${missing_extras[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
for pkg in "${missing_extras[@]}"; do
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$pkg" >/dev/null 2>&1 ||
        echo "Could not install $pkg: the tests that need it are skipped."
done
