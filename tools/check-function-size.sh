#!/usr/bin/env bash
# No function of the program over 60 lines: clang-tidy's readability-function-size, as
# .clang-tidy sets it, over the .cpp files of the debug build (and the project headers they
# include). Prints one line for each function over the limit; exit status 1 if any is.
# Half a minute on 2 idle cores, well over a minute on a busy machine: CI runs it (.ci/run),
# ./dev test does not.
#   tools/check-function-size.sh        (after ./dev test, which configures build/debug)
#
# Checked: the program (engine, storage, bank, settings, game, cards, ui, app) and tools/, whose
# programs are kept like it (one of them draws the package's icons). Not checked: tests, fuzz
# and bench. A test reads best as one body with its table of cases and golden literals in
# place; splitting it to meet a line count would scatter what a reader wants to see at once.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build/debug

tools/install-missing.sh clang-tidy-14
# The compile commands come with configuring, no build needed.
[ -f "$build/compile_commands.json" ] || cmake --preset debug >/dev/null

folders='(engine|storage|bank|settings|game|cards|ui|app|tools)'
# A path in a regular expression: every character that could mean something is escaped.
regex_of() { printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g'; }
root_re=$(regex_of "$root")
# The compiler finds a library's headers where the build stages them (cmake/Layers.cmake):
# build/debug/include/engine/engine/Cards.h is engine/Cards.h.
staged_re="$(regex_of "$build")/include/[^/]+/"
log=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$log" "$errors"' EXIT

# -Wno-error: the debug build's -Werror would turn clang's own warnings (which g++ does not
# give and .clang-tidy does not ask for) into errors that stop a file being checked.
status=0
run-clang-tidy-14 -quiet -p "$build" -extra-arg=-Wno-error \
    -header-filter="^$root_re/($staged_re)?$folders/" "^$root_re/$folders/.*\\.cpp\$" \
    >"$log" 2>"$errors" || status=$?
# run-clang-tidy-14 always colours its output; a staged header is named by its source.
sed -i -E -e 's/\x1b\[[0-9;]*m//g' -e "s|^$root_re/$staged_re|$root/|" "$log"

# clang-tidy names the function without its class: the class comes from the source line, the
# qualified name that ends at the reported column's name.
found=0
while IFS=: read -r file line column lines; do
    name=$(awk -v l="$line" -v c="$column" 'NR == l {
        match(substr($0, 1, c - 1), /[A-Za-z_0-9:~]*$/); scope = substr($0, RSTART, RLENGTH)
        match(substr($0, c), /^[A-Za-z_0-9~]+/); print scope substr($0, c, RLENGTH); exit }' "$file")
    echo "$file:$line: $name is $lines lines long (at most 60)"
    found=1
done < <(sed -nE "s|^$root_re/(.*):([0-9]+):([0-9]+): note: ([0-9]+) lines including .*|\1:\2:\3:\4|p" \
    "$log" | sort -u -t: -k1,1 -k2,2n)

# Anything else clang-tidy stopped on (a file it could not parse) fails the check too.
if grep ': error: ' "$log" | grep -v 'readability-function-size'; then
    found=1
elif [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then
    cat "$log" "$errors" >&2
    found=1
fi
exit $found
