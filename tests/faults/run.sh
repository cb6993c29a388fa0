#!/usr/bin/env bash
# The deliberate faults of tests/faults/faults.txt, one at a time: each is applied to a scratch
# copy of the working tree, which is built and tested; a fault is caught when a test fails.
#   tests/faults/run.sh              every fault
#   tests/faults/run.sh NAME...      only these
#   EVERY_TEST=1 tests/faults/run.sh  name every test that catches each fault (slower: no test
#                                    run stops at the first failure)
#   tests/faults/run.sh --fits       only check that every fault's line is in its file, once
# Prints one line a fault and "N caught, M missed"; exits 1 when any was missed. Some hours
# on two cores (each fault rebuilds what it touches and runs every test, the soak too).
set -euo pipefail
cd "$(dirname "$0")/../.."
scratch=build/faults/src
build=build/faults/build
list=tests/faults/faults.txt

# How many times `old` stands in `file` (a fault fits when it is once).
count() { # file old
    OLD="$2" perl -0 -e 'my $text = do { local $/; <> };
        my $count = () = $text =~ /\Q$ENV{OLD}\E/g; print $count;' "$1"
}

# --fits: only that every fault's line is found once in its file, as it stands: in seconds,
# for ./dev test, so that a change which moves a fault's line says so at once.
if [ "${1:-}" = "--fits" ]; then
    stale=0
    while IFS= read -r header && IFS= read -r file && IFS= read -r old && IFS= read -r new; do
        if [ ! -f "$file" ]; then
            echo "STALE   ${header#\#\# }: there is no $file"
            stale=$((stale + 1))
        elif found=$(count "$file" "${old#- }") && [ "$found" != 1 ]; then
            echo "STALE   ${header#\#\# }: its line is found $found times in $file"
            stale=$((stale + 1))
        fi
    done < <(grep -v -e '^#[^#]' -e '^$' "$list")
    [ "$stale" -eq 0 ]
    exit
fi

# A copy of the tracked files as they are now, uncommitted changes included.
rm -rf "$scratch"
mkdir -p "$scratch"
git ls-files -z | xargs -0 cp --parents -t "$scratch"
# Warnings are not errors here: a fault that draws a warning still has to be caught by a test.
# ccache, when there, makes the rebuild after each fault's removal a matter of seconds.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
[ -f "$build/build.ninja" ] ||
    cmake -S "$scratch" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" >/dev/null
cmake --build "$build" >/dev/null

# Replaces the one line `old` of `file` (in the scratch copy) by `new` ("\n" starts a line).
apply() { # file old new
    local found
    found=$(count "$scratch/$1" "$2")
    if [ "$found" != 1 ]; then
        echo "the fault no longer fits: found $found times" >&2
        return 1
    fi
    OLD="$2" NEW="$3" perl -0 -e '
        my $text = do { local $/; <> };
        (my $new = $ENV{NEW}) =~ s/\\n/\n/g;
        $text =~ s/\Q$ENV{OLD}\E/$new/;
        print $text;' "$scratch/$1" > "$scratch/$1.fault"
    mv "$scratch/$1.fault" "$scratch/$1"
}

stop=(--stop-on-failure)
[ -z "${EVERY_TEST:-}" ] || stop=()
caught=0
missed=0
missedNames=()
while IFS= read -r header && IFS= read -r file && IFS= read -r old && IFS= read -r new; do
    name=${header#\#\# }
    name=${name%%:*}
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then
        continue
    fi
    cp "$scratch/$file" "$build/original"
    if ! apply "$file" "${old#- }" "${new#+ }" 2>"$build/apply.log"; then
        echo "STALE   $name: $(cat "$build/apply.log")"
        missed=$((missed + 1)); missedNames+=("$name")
        continue
    fi
    if ! cmake --build "$build" >"$build/fault.log" 2>&1; then
        result="MISSED  $name (it does not build)"
    elif ctest --test-dir "$build" -j 2 --timeout 180 "${stop[@]}" >>"$build/fault.log" 2>&1; then
        result="MISSED  $name"
    else
        catchers=$(grep -oE '^[[:space:]]*[0-9]+ - [^ ]+' "$build/fault.log" | awk '{print $3}')
        result="caught  $name by $(echo $catchers | tr ' ' ',')"
    fi
    echo "$result"
    if [[ $result == caught* ]]; then
        caught=$((caught + 1))
    else
        missed=$((missed + 1)); missedNames+=("$name")
    fi
    cp "$build/original" "$scratch/$file"
done < <(grep -v -e '^#[^#]' -e '^$' "$list") # four lines a fault: comments and blanks go
cmake --build "$build" >/dev/null
echo "$caught caught, $missed missed${missedNames:+: ${missedNames[*]}}"
[ "$missed" -eq 0 ]
