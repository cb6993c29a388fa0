#!/usr/bin/env bash
# The libFuzzer targets: the amount conversion, the bank file loader, the settings file reader.
# Built with clang under AddressSanitizer and UndefinedBehaviorSanitizer in build/fuzz (the
# "fuzz" preset), apart from the g++ builds.
#   fuzz/run.sh replay          run every input of the committed corpora once
#   fuzz/run.sh fuzz SECONDS    fuzz each target for SECONDS, one after the other, in one
#                               process on one core, starting from its corpus; new inputs go
#                               to build/fuzz/found/<target>
#   fuzz/run.sh merge           fold build/fuzz/found into the committed corpora, minimised
#                               to one input for each coverage edge
# Any finding stops the script with a non-zero status; the input that caused it is saved in
# build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(amount_fuzzer bank_fuzzer settings_fuzzer)
packages=(clang-14 libclang-rt-14-dev cmake ninja-build)
build=build/fuzz

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_targets() {
    install_missing
    [ -f "$build/build.ninja" ] || cmake --preset fuzz
    cmake --build --preset fuzz -j 2 --target "${targets[@]}"
    mkdir -p "$build/artifacts"
}

run_target() { # target, libFuzzer options and folders...
    local target=$1
    shift
    "$build/fuzz/$target" -artifact_prefix="$build/artifacts/$target-" "$@"
}

# The targets write their files under TMPDIR; in memory when possible, removed at the end.
scratch=$(mktemp -d /dev/shm/corvanta-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch

case "${1:-}" in
    replay)
        build_targets
        for t in "${targets[@]}"; do
            echo "== $t: replaying $(ls "fuzz/corpus/$t" | wc -l) inputs"
            run_target "$t" -runs=0 "fuzz/corpus/$t"
        done
        ;;
    fuzz)
        seconds=${2:?usage: fuzz/run.sh fuzz SECONDS}
        build_targets
        for t in "${targets[@]}"; do
            echo "== $t: fuzzing for $seconds s"
            mkdir -p "$build/found/$t"
            run_target "$t" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
                "$build/found/$t" "fuzz/corpus/$t"
        done
        ;;
    merge)
        build_targets
        for t in "${targets[@]}"; do
            fresh="$build/merged/$t"
            rm -rf "$fresh" && mkdir -p "$fresh" "$build/found/$t"
            # One input for each coverage edge reached: a few dozen small files a target.
            run_target "$t" -merge=1 -use_counters=0 "$fresh" "fuzz/corpus/$t" "$build/found/$t"
            rm -rf "fuzz/corpus/$t" && mv "$fresh" "fuzz/corpus/$t"
            echo "== $t: $(ls "fuzz/corpus/$t" | wc -l) inputs in the corpus"
        done
        ;;
    *)
        echo "usage: fuzz/run.sh replay | fuzz SECONDS | merge" >&2
        exit 2
        ;;
esac
