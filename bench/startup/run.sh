#!/usr/bin/env bash
# Start-up time to the mapped main window, and peak memory: median of 10 starts of the
# game and of a bare Qt window of the same size, side by side under one Xvfb.
#   bench/startup/run.sh            (after: cmake --preset release && cmake --build --preset release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build/release
runs=${RUNS:-10}
for p in xvfb xauth; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { echo "needs: apt-get install xvfb xauth" >&2; exit 2; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The game runs from a copy of itself, so its bank file lands in the scratch folder.
cp "$build/app/corvanta" "$scratch/corvanta"

measure() {
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        for i in $(seq '"$runs"'); do
            for program in "$@"; do
                echo "$(basename "$program") $(XDG_CONFIG_HOME='"$scratch"'/config '"$build"'/bench/corvanta-mapwatch "$program")"
            done
        done' _ "$scratch/corvanta" "$build/bench/corvanta-bare-window"
}

measure | awk '
    { ms[$1] = ms[$1] " " $2; kb[$1] = kb[$1] " " $3 }
    function median(list,   a, n) { n = split(list, a, " "); asort(a); return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
    END {
        for (p in ms) { m[p] = median(ms[p]); k[p] = median(kb[p]) / 1024 }
        printf "%-24s %10s %12s\n", "program", "map (ms)", "peak (MB)"
        for (p in ms) printf "%-24s %10.1f %12.1f\n", p, m[p], k[p]
        printf "ratio corvanta/bare: time %.2f, memory %.2f\n", m["corvanta"] / m["corvanta-bare-window"], k["corvanta"] / k["corvanta-bare-window"]
    }'
