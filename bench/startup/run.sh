#!/usr/bin/env bash
# Start-up time to the mapped main window and to its first full frame, and peak memory:
# median of 10 starts of the game and of a bare Qt window of the same size, side by side
# under one Xvfb.
#   bench/startup/run.sh            RUNS=20 bench/startup/run.sh for more starts
# Builds what it measures in build/bench (the "bench" preset): the game, built there exactly
# as the release preset builds it, and the two helpers, which only that preset builds.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build/bench
runs=${RUNS:-10}
# The window watcher talks to the X server through xcb.
for p in xvfb xauth pkg-config libxcb1-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { echo "needs: apt-get install xvfb xauth pkg-config libxcb1-dev" >&2; exit 2; }
done
cmake --preset bench >/dev/null
cmake --build --preset bench --target corvanta corvanta-mapwatch corvanta-bare-window
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The game runs from a copy of itself with its data and settings folders in the scratch folder.
cp "$build/app/corvanta" "$scratch/corvanta"

measure() {
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        for i in $(seq '"$runs"'); do
            for program in "$@"; do
                echo "$(basename "$program") $(XDG_CONFIG_HOME='"$scratch"'/config XDG_DATA_HOME='"$scratch"'/data '"$build"'/bench/corvanta-mapwatch "$program")"
            done
        done' _ "$scratch/corvanta" "$build/bench/corvanta-bare-window"
}

results=$scratch/results
measure > "$results"

failed=$(awk '$2 < 0 || $3 < 0 { n++ } END { print n + 0 }' "$results")
[ "$failed" -eq 0 ] || echo "$failed starts never mapped or never settled; left out" >&2
median() { # program column
    awk -v p="$1" -v c="$2" '$1 == p && $2 >= 0 && $3 >= 0 { print $c }' "$results" | sort -n |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
game_ms=$(median corvanta 2); game_frame=$(median corvanta 3); game_kb=$(median corvanta 4)
bare_ms=$(median corvanta-bare-window 2); bare_frame=$(median corvanta-bare-window 3)
bare_kb=$(median corvanta-bare-window 4)
awk -v gm="$game_ms" -v gf="$game_frame" -v gk="$game_kb" \
    -v bm="$bare_ms" -v bf="$bare_frame" -v bk="$bare_kb" -v n="$runs" 'BEGIN {
    printf "median of %d starts    map (ms)   first frame (ms)   peak (MB)\n", n
    printf "corvanta              %9.1f %18.1f %11.1f\n", gm, gf, gk / 1024
    printf "bare QMainWindow      %9.1f %18.1f %11.1f\n", bm, bf, bk / 1024
    printf "ratio                 %9.2f %18.2f %11.2f\n", gm / bm, gf / bf, gk / bk
}'
