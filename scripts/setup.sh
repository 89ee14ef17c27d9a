#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Vantrell needs to build and run (and, with --tests, to run its
# test suite) on Debian 12 or Ubuntu. Quiet and quick when everything is there.
set -euo pipefail

runtime=(cmake g++ make qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-websockets-dev qt6-qpa-plugins fonts-liberation
         libx11-dev libxtst-dev)
testing=(xvfb xdotool x11-utils x11-xserver-utils x11-apps imagemagick pulseaudio
         pulseaudio-utils gstreamer1.0-plugins-base gstreamer1.0-plugins-good sox
         debootstrap dpkg-dev file desktop-file-utils appstream dbus openbox libxss-dev
         clang-format-14 poppler-utils strace chromium qt6-l10n-tools tesseract-ocr
         tesseract-ocr-eng)
# clang-format-14 is the version the format check is pinned to; chromium is
# the real browser the live feed's pages are tested in; lupdate (in
# qt6-l10n-tools) keeps the translation source current; tesseract reads the
# words of the match's strip back from the board's screenshots.

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
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq

# Debian has a chromium package; Ubuntu has none, only a stand-in that
# installs a snap, which cannot run here. Where there is no real one the
# rest still installs, and the browser test fails saying so.
installable=()
for pkg in "${missing[@]}"; do
    # Read whole before grep looks: grep -q leaves at its first match, and
    # under pipefail the writer's broken pipe would count as no package.
    if [ "$pkg" = chromium ] &&
        ! grep -q '^Package: chromium$' <<<"$(apt-cache show --no-all-versions chromium 2>/dev/null || true)"; then
        echo "No chromium package here: tst_e2e_feed fails until a chromium is on PATH." >&2
        continue
    fi
    installable+=("$pkg")
done
[ ${#installable[@]} -eq 0 ] && exit 0
echo "Installing: ${installable[*]}"
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${installable[@]}" >/dev/null
