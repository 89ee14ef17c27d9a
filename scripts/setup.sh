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
         poppler-utils chromium)

wanted=("${runtime[@]}")
if [ "${1:-}" = "--tests" ]; then
    wanted+=("${testing[@]}")
fi

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
