#!/usr/bin/env bash
# Proves that the build keeps the layers. In a scratch copy of the worktree it builds the libraries
# named below unchanged, then plants one include along a forbidden arrow at a time at the top of
# one of their sources and compiles that source again (its object file of its library alone,
# which keeps it quick): each must fail for want of the header, as the library's include path
# has no root that holds it. With all of them planted at once, tools/check-layers.sh must name
# every one, and also the few only it can see (an include by a relative path, found beside the
# file; a Qt library's header spelled with its folder). Prints a line a probe; exit status 1 if
# any probe went otherwise.
#   tools/probe-layers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# "arrow|source file|include as planted|compiler or check: what must refuse it"; each is also
# planted in the worktree copy of tools/check-layers.sh's run.
probes=(
    'engine -> bank|engine/Trainer.cpp|"bank/ChangeAccount.h"|compiler'
    'engine -> cards|engine/Table.cpp|"cards/CardDeck.h"|compiler'
    'engine -> Qt|engine/Table.cpp|<QString>|compiler'
    'storage -> engine|storage/Text.cpp|"engine/Cards.h"|compiler'
    'storage -> bank|storage/Text.cpp|"bank/AccountTable.h"|compiler'
    'storage -> settings|storage/Text.cpp|"settings/Settings.h"|compiler'
    'storage -> game|storage/Text.cpp|"game/GameSession.h"|compiler'
    'settings -> engine|settings/Settings.cpp|"engine/Cards.h"|compiler'
    'bank -> settings|bank/Accounts.cpp|"settings/Settings.h"|compiler'
    'bank -> game|bank/Accounts.cpp|"game/GameSession.h"|compiler'
    'game -> ui|game/GameSession.cpp|"ui/GameModel.h"|compiler'
    'game -> cards|game/GameSession.cpp|"cards/basCards.h"|compiler'
    'cards -> ui|cards/basCards.cpp|"ui/Widgets.h"|compiler'
    'cards -> Qt Widgets|cards/basCards.cpp|<QWidget>|compiler'
    'engine -> bank, relative path|engine/Round.cpp|"../bank/ChangeAccount.h"|check'
    'cards -> Qt Widgets, module folder|cards/CardShape.cpp|<QtWidgets/QWidget>|check'
)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
copy=$scratch/src
build=$scratch/build
# The worktree as it is, committed or not; a git repository of its own for check-layers.sh.
mkdir "$copy"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do if [ -e "$file" ]; then printf '%s\0' "$file"; fi; done |
    tar --null -T - -cf - | tar -xf - -C "$copy"
git -C "$copy" init -q
git -C "$copy" add -A

library_of() { echo "corvanta_${1%%/*}"; }
libraries=()
for probe in "${probes[@]}"; do
    IFS='|' read -r _ file _ _ <<<"$probe"
    libraries+=("$(library_of "$file")")
done
mapfile -t libraries < <(printf '%s\n' "${libraries[@]}" | sort -u)

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=$scratch # the same relative paths from one scratch copy to the next
fi
# No optimization and no debug information: the quickest compile, and nothing of the scratch
# folder's name in what ccache hashes.
cmake -S "$copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= -DBUILD_TESTING=OFF \
    "${launcher[@]}" >/dev/null
if ! cmake --build "$build" --target "${libraries[@]}" >"$scratch/log" 2>&1; then
    cat "$scratch/log"
    echo "probe-layers: the unchanged copy does not build (${libraries[*]})" >&2
    exit 1
fi
echo "unchanged copy: ${libraries[*]} build (${SECONDS}s)"

failed=0
refused() { printf 'refused      %-36s %s\n' "$1" "$2"; }
not_refused() {
    printf 'NOT REFUSED  %-36s %s\n' "$1" "$2"
    failed=1
}

# The compiler: one planted include at a time, in the object file of the source's library.
for probe in "${probes[@]}"; do
    IFS='|' read -r arrow file include refuser <<<"$probe"
    [ "$refuser" = compiler ] || continue
    cp "$copy/$file" "$scratch/original"
    sed -i "1i #include $include" "$copy/$file"
    folder=${file%%/*}
    object=$folder/CMakeFiles/$(library_of "$file").dir/${file#*/}.o
    if cmake --build "$build" --target "$object" >"$scratch/log" 2>&1; then
        not_refused "$arrow" "#include $include in $file compiles"
    elif error=$(grep -m1 -F "fatal error: ${include:1:-1}: " "$scratch/log"); then
        refused "$arrow" "#include $include in $file: ${error#*fatal error: }"
    else
        not_refused "$arrow" "#include $include in $file fails for another reason:"
        tail -20 "$scratch/log"
    fi
    cp "$scratch/original" "$copy/$file"
done

# tools/check-layers.sh: every include planted at once, one check.
for probe in "${probes[@]}"; do
    IFS='|' read -r _ file include _ <<<"$probe"
    sed -i "1i #include $include" "$copy/$file"
done
"$copy/tools/check-layers.sh" "$build" >"$scratch/check" || true
for probe in "${probes[@]}"; do
    IFS='|' read -r arrow file include _ <<<"$probe"
    if reported=$(grep -E "^$file:[0-9]+: includes " "$scratch/check" |
        grep -m1 -F ": includes $include: "); then
        refused "$arrow" "by tools/check-layers.sh: ${reported#*: includes }"
    else
        not_refused "$arrow" "#include $include in $file: tools/check-layers.sh says nothing"
    fi
done

echo "probe-layers: ${SECONDS}s"
if [ $failed -ne 0 ]; then
    echo "probe-layers: FAILED: an include along a forbidden arrow went through" >&2
fi
exit $failed
