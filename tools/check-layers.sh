#!/usr/bin/env bash
# Which folder of the project may include which:
#   engine, storage          nothing of the project
#   bank                     engine, storage
#   settings                 storage
#   game                     engine, bank, settings, storage
#   bank/frmAccount, ui      engine, storage, bank, settings, game, ui (and Qt)
#   app                      anything
# Only the windows (ui, bank/frmAccount) and app include Qt. tests, bench, fuzz and tools are
# not checked. Prints one line for each include that breaks a rule; exit status 1 if any did.
#   tools/check-layers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Sets `layer` to the layer a project path belongs to: its first folder, except that the
# account window, though it sits in bank/, is built with the windows. Empty for anything
# outside the project. (A variable rather than output: no subshell for each include.)
layer_of() {
    case $1 in
        bank/frmAccount/*) layer=bank/frmAccount ;;
        engine/* | storage/* | bank/* | settings/* | game/* | ui/* | app/*) layer=${1%%/*} ;;
        tests/* | bench/* | fuzz/* | tools/* | desktop/*) layer=${1%%/*} ;;
        *) layer="" ;;
    esac
}

# The layers each checked layer may include besides its own, and the rule's wording.
declare -A allowed=(
    [engine]=""
    [storage]=""
    [bank]="engine storage"
    [settings]="storage"
    [game]="engine bank settings storage"
    [bank/frmAccount]="engine storage bank settings game ui"
    [ui]="engine storage bank settings game bank/frmAccount"
)
declare -A rule=(
    [engine]="engine uses no other folder of the project"
    [storage]="storage uses no other folder of the project"
    [bank]="bank uses only engine and storage (bank/frmAccount is built with the windows)"
    [settings]="settings uses only storage"
    [game]="game uses only engine, bank, settings and storage"
    [bank/frmAccount]="the account window uses only ui, engine, bank, game, settings and storage"
    [ui]="ui uses only engine, bank, settings, game and storage"
)
qt_allowed=" ui bank/frmAccount "

# Sets `target` to the path "a/./b/../c" names, "a/c": an include relative to its file.
normalize() {
    local part out=()
    local IFS=/
    for part in $1; do
        case $part in
            "" | .) ;;
            ..) [ ${#out[@]} -gt 0 ] && unset 'out[${#out[@]}-1]' ;;
            *) out+=("$part") ;;
        esac
    done
    target="${out[*]}"
}

found=0
report() { # file, line, include as written, rule
    echo "$1:$2: includes $3: $4"
    found=1
}

# Tracked files, and new ones not yet added, so a check before a commit sees them too.
while IFS= read -r file; do
    [ -f "$file" ] || continue # deleted but not yet committed
    layer_of "$file"
    from=$layer
    [ -n "${rule[$from]+set}" ] || continue # app, or a folder that is not checked
    # "line:include as written", e.g. '4:"bank/AccountTable.h"' or '7:<QLabel>'.
    while IFS= read -r hit; do
        line=${hit%%:*}
        written=${hit#*:}
        name=${written:1:${#written}-2}
        # Like the compiler: a quoted include is looked for beside the file first, then from
        # the root of the project (the include folder every library of ours has).
        target=$name
        if [ "${written:0:1}" = '"' ] && [ -f "${file%/*}/$name" ]; then
            normalize "${file%/*}/$name"
        fi
        layer_of "$target"
        to=$layer
        if [ -z "$to" ]; then
            # Outside the project: only Qt is ruled, and only the windows may use it.
            if [[ $name == Q* && $qt_allowed != *" $from "* ]]; then
                report "$file" "$line" "$written" "only the windows (ui, bank/frmAccount) and app use Qt"
            fi
        elif [ "$to" != "$from" ] && [[ " ${allowed[$from]} " != *" $to "* ]]; then
            report "$file" "$line" "$written" "${rule[$from]}"
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^>"]+[>"]' "$file" |
        sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*([<"][^>"]+[>"]).*/\1:\2/')
done < <(git ls-files --cached --others --exclude-standard -- \
    '*.h' '*.hh' '*.hpp' '*.hxx' '*.inl' '*.ipp' '*.c' '*.cc' '*.cpp' '*.cxx' | sort -u)

exit $found
