#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two commits of the program measured side by side in one run: the CPU time
# of the real program at 1920x1080 under Xvfb (clocks stopped; game and shot
# clocks running), and the alarms and game clock figures against their true
# instants (bench_alarms), idle and with both cores loaded. The two builds
# take turns at every step, so what else the machine does falls on both.
#
#   bench/side-by-side.sh [--quick | --full] [OLD [NEW]]
#
# OLD defaults to a8b5e90, NEW to HEAD. --quick (a few minutes) is for
# trying the script; --full (the default, about 35 minutes) makes the
# figures to publish. CPU_SECONDS, ARRIVALS and ROUNDS override the mode's
# durations: seconds of CPU measured per row, alarm arrivals per run of
# bench_alarms, and how many times the whole set is run.
#
# OLD is checked out with `git worktree add --detach` in $OLD_TREE (default
# /tmp/vantrell-old), NEW too ($NEW_TREE, /tmp/vantrell-new) unless it is
# the commit this tree has checked out. A tree whose commit lacks the
# benchmarks this script runs gets this tree's copies. Release builds in
# $OLD_BUILD and $NEW_BUILD (/tmp/bench-old, /tmp/bench-new), with ccache.
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=full
revisions=()
for argument in "$@"; do
    case $argument in
    --quick) mode=quick ;;
    --full) mode=full ;;
    -*)
        echo "unknown option $argument" >&2
        exit 2
        ;;
    *) revisions+=("$argument") ;;
    esac
done
old_rev=${revisions[0]:-a8b5e90}
new_rev=${revisions[1]:-HEAD}
if [[ $mode == quick ]]; then
    cpu_seconds=${CPU_SECONDS:-10}
    arrivals=${ARRIVALS:-20}
    rounds=${ROUNDS:-1}
else
    cpu_seconds=${CPU_SECONDS:-60}
    arrivals=${ARRIVALS:-200}
    rounds=${ROUNDS:-1}
fi
old_tree=${OLD_TREE:-/tmp/vantrell-old}
new_tree=${NEW_TREE:-/tmp/vantrell-new}
old_build=${OLD_BUILD:-/tmp/bench-old}
new_build=${NEW_BUILD:-/tmp/bench-new}
out=$(mktemp -d /tmp/side-by-side.XXXXXX)

old_commit=$(git -C "$source_dir" rev-parse --short "$old_rev^{commit}")
new_commit=$(git -C "$source_dir" rev-parse --short "$new_rev^{commit}")
if [[ $new_commit == $(git -C "$source_dir" rev-parse --short HEAD) ]]; then
    new_tree=$source_dir
fi

# The files each benchmark run here needs in bench/, beside the CMake line
# that builds it.
alarm_files=(bench_alarms.cpp busyload.h)

checkout() { # tree commit
    local tree=$1 commit=$2
    if [[ ! -e $tree/.git ]]; then
        git -C "$source_dir" worktree add --detach "$tree" "$commit" >/dev/null
    elif [[ $(git -C "$tree" rev-parse --short HEAD) != "$commit" ]]; then
        git -C "$tree" checkout -q -f --detach "$commit"
    fi
}

# A commit without bench_alarms gets this tree's, built as its neighbours
# are.
add_alarms() { # tree commit
    local tree=$1 commit=$2 file
    git -C "$tree" cat-file -e "$commit:bench/bench_alarms.cpp" 2>/dev/null && return
    for file in "${alarm_files[@]}"; do
        cp "$source_dir/bench/$file" "$tree/bench/$file"
    done
    grep -q '^vantrell_bench(bench_alarms)' "$tree/bench/CMakeLists.txt" ||
        sed -i 's/^vantrell_bench(bench_journal)$/&\nvantrell_bench(bench_alarms)/' \
            "$tree/bench/CMakeLists.txt"
}

build() { # tree build_dir targets...
    local tree=$1 dir=$2
    shift 2
    # shellcheck disable=SC1091
    source /work/ccache.env
    cmake -S "$tree" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVANTRELL_BUILD_BENCHMARKS=ON \
        -DBUILD_TESTING=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >"$out/cmake-$(basename "$dir").log"
    cmake --build "$dir" -j2 --target "$@" >"$out/build-$(basename "$dir").log" ||
        { echo "build in $dir failed: $out/build-$(basename "$dir").log" >&2; exit 1; }
}

if [[ $old_tree != "$source_dir" ]]; then
    checkout "$old_tree" "$old_commit"
fi
add_alarms "$old_tree" "$old_commit"
if [[ $new_tree != "$source_dir" ]]; then
    checkout "$new_tree" "$new_commit"
    add_alarms "$new_tree" "$new_commit"
fi
# One bench_process measures both programs: this tree's, which can be
# pointed at another binary.
if ! grep -q '"--binary"' "$new_tree/bench/bench_process.cpp"; then
    cp "$source_dir/bench/bench_process.cpp" "$source_dir/bench/processbench.h" "$new_tree/bench/"
fi
echo "Building $old_commit in $old_build and $new_commit in $new_build ..." >&2
build "$old_tree" "$old_build" vantrell bench_alarms
build "$new_tree" "$new_build" vantrell bench_alarms bench_process

offscreen="offscreen:configfile=$source_dir/bench/offscreen-screen.json"
declare -A build_dir=([old]=$old_build [new]=$new_build)

# The in-process board reads and writes its settings below HOME: a home of
# its own for every run.
alarms() { # side file arguments...
    local side=$1 file=$2
    shift 2
    local home
    home=$(mktemp -d "$out/home.XXXXXX")
    mkdir -m 700 "$home/runtime"
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_STATE_HOME=$home/.local/state \
        XDG_RUNTIME_DIR=$home/runtime \
        QT_QPA_PLATFORM=$offscreen "${build_dir[$side]}/bin/bench_alarms" --arrivals "$arrivals" \
        "$@" >"$file" 2>>"$out/stderr-$side.log"
}

cpu() { # side file
    "$new_build/bin/bench_process" --cpu --binary "${build_dir[$1]}/bin/vantrell" \
        --size 1920x1080 --plays stopped,game-shot --seconds "$cpu_seconds" \
        >"$2" 2>>"$out/stderr-$1.log"
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
step=0
# Each step runs both builds, the first of them by turns.
both() { # name command...
    local name=$1 side
    shift
    local order=(old new)
    ((step % 2 == 0)) || order=(new old)
    for side in "${order[@]}"; do
        echo "  $name: $side" >&2
        "$@" "$side" "$out/$(printf '%02d' "$step")-$name-$side.rows"
    done
    step=$((step + 1))
}
loaded_alarms() { alarms "$1" "$2" --load; }

for ((round = 1; round <= rounds; round++)); do
    echo "Round $round of $rounds" >&2
    both cpu cpu
    both alarms-idle alarms
    both alarms-loaded loaded_alarms
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

qt_version=$(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)
cpu_model=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo "Machine: $(nproc) cores, CPU \"$cpu_model\", Qt $qt_version, $(uname -sr)"
echo "Builds: OLD $old_commit ($old_build), NEW $new_commit ($new_build), CMAKE_BUILD_TYPE=Release"
echo "Mode: $mode; CPU $cpu_seconds s a row, $arrivals alarm arrivals a run, $rounds round(s)"
echo "Load average (1, 5, 15 min): $load_before before, $load_after after"
echo "Rows and notes of each run: $out"
echo
# The rows of both builds in one table, by what was measured and under
# which conditions; the targets are those the figures are published
# against.
awk -F' [|] ' -v old="OLD $old_commit" -v new="NEW $new_commit" -v rounds="$rounds" '
    function target(what, conditions, own) {
        if (what ~ /^[|] CPU/ && conditions ~ /^1920x1080, all clocks stopped/) return "<= 0.05 %"
        if (what ~ /^[|] CPU/ && conditions ~ /^1920x1080, game and shot/) return "<= 0.15 %"
        return own
    }
    FNR == 1 {
        n = split(FILENAME, parts, "/")
        split(parts[n], name, "-")
        side = name[length(name)] ~ /^old/ ? "old" : "new"
        round = int((name[1] + 0) / 3) + 1
    }
    /^[|] / && !/^[|] What [|]/ && !/^[|] --- /{
        key = $1 " | " $2 (rounds > 1 ? " (round " round ")" : "")
        if (!(key in seen)) { seen[key] = 1; order[++count] = key }
        sub(/ [|]$/, "", $4)
        figure[key, side] = $3
        goal[key] = target($1, $2, $4)
    }
    END {
        print "| What | Conditions | " old " | " new " | Target |"
        print "| --- | --- | --- | --- | --- |"
        for (i = 1; i <= count; i++) {
            k = order[i]
            print k " | " figure[k, "old"] " | " figure[k, "new"] " | " goal[k] " |"
        }
    }' "$out"/*.rows
