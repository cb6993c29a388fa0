#!/usr/bin/env bash
# Screenshots of a scripted session under Xvfb, for comparing two builds pixel by pixel.
#   tools/screenshots.sh FOLDER [BUILD]     (BUILD defaults to build/debug)
#   SCREEN=1920x1080 MAXIMIZED=1 tools/screenshots.sh FOLDER   the table filling the screen
#   WHOLE_SCREEN=1 tools/screenshots.sh FOLDER   dialogs shot with the screen around them
#   DARK=1 tools/screenshots.sh FOLDER     a desktop's dark palette (the table keeps its green)
#   compare two folders:  for f in A/*.png; do compare -metric AE "$f" "B/${f##*/}" null:; done
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: tools/screenshots.sh FOLDER [BUILD]}
build=${2:-build/debug}
cmake --build "$build" --target corvanta-screenshots >/dev/null
mkdir -p "$out"
CORVANTA_SHOTS_DARK=${DARK:-0} xvfb-run -a -s "-screen 0 ${SCREEN:-1280x1024}x24" "$build/tools/corvanta-screenshots" "$out" \
    ${MAXIMIZED:+--maximized} ${WHOLE_SCREEN:+--whole-screen}
ls "$out"
