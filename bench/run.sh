#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks when needed, runs them all and prints one table of
# figures. Nothing here passes or fails on speed: the figures are printed
# and docs/performance.md keeps them.
#
#   bench/run.sh          routine run: memory over 3 minutes, clock truth
#                         over 3 minutes idle and 3 minutes loaded, alarms
#                         200 times idle and loaded (~47 min)
#   bench/run.sh --long   memory and clock truth over 10 minutes each (~67 min)
#
# bench/side-by-side.sh measures two commits against each other.
#
# BENCH_BUILD_DIR picks the build folder (default /tmp/bench-build).
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${BENCH_BUILD_DIR:-/tmp/bench-build}
minutes=3
if [[ ${1:-} == --long ]]; then
    minutes=10
fi

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DVANTRELL_BUILD_BENCHMARKS=ON -DBUILD_TESTING=ON >/dev/null
cmake --build "$build_dir" -j"$(nproc)" \
    --target vantrell bench_repaint bench_keys bench_clocktruth bench_journal bench_process \
    bench_feed bench_resume bench_alarms bench_event >/dev/null
bin=$build_dir/bin

qt_version=$(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)
cpu_model=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo "Machine: $(nproc) cores, CPU \"$cpu_model\", Qt $qt_version, $(uname -sr)"
echo "Build: $build_dir, CMAKE_BUILD_TYPE=Release"
echo
echo "| What | Conditions | Figure | Target |"
echo "| --- | --- | --- | --- |"

# In-process benchmarks draw on the offscreen platform, on a screen large
# enough for a 3840x2160 board (Qt's own offscreen screen is 800x600, and
# the board keeps inside its screen); bench_process runs the real program
# on an Xvfb of its own.
offscreen="offscreen:configfile=$source_dir/bench/offscreen-screen.json"
QT_QPA_PLATFORM=$offscreen "$bin/bench_repaint"
QT_QPA_PLATFORM=$offscreen "$bin/bench_keys" --samples 1000
"$bin/bench_journal"
# The board and its journal with every fdatasync held up 500 ms, as a
# slow or sleeping disk would.
strace -f --seccomp-bpf -e trace=fdatasync -e inject=fdatasync:delay_enter=500000 -o /dev/null \
    "$bin/bench_journal" --stalls 60
"$bin/bench_resume"
"$bin/bench_process" --startup --runs 9
"$bin/bench_process" --cpu --seconds 60
"$bin/bench_process" --audience --seconds 60
QT_QPA_PLATFORM=$offscreen "$bin/bench_feed" --latency --samples 500
"$bin/bench_feed" --cpu --seconds 30
"$bin/bench_process" --memory-minutes "$minutes"
QT_QPA_PLATFORM=$offscreen "$bin/bench_clocktruth" --seconds $((minutes * 60))
QT_QPA_PLATFORM=$offscreen "$bin/bench_clocktruth" --seconds $((minutes * 60)) --load
QT_QPA_PLATFORM=$offscreen "$bin/bench_alarms" --arrivals 200
QT_QPA_PLATFORM=$offscreen "$bin/bench_alarms" --arrivals 200 --load
"$bin/bench_event"
