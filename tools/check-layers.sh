#!/usr/bin/env bash
# Checks the includes of every library's folder against the arrows CMake builds with: the file
# layers.txt that cmake/Layers.cmake writes into the build folder from the libraries'
# target_link_libraries, one line a library ("bank: engine storage", "cards: QtCore QtGui engine").
# The compiler already refuses a header of a library the folder does not link; this check also
# sees what the include roots cannot: a quoted include by a relative path ("../bank/X.h" is
# found beside the file whatever the include roots say) and a Qt library the folder does not
# link (<QtWidgets/QWidget> is found from any Qt library's include folders), and it names the
# broken rule before anything is built. Folders that are no library (tests,
# bench, fuzz, tools) are not checked. Prints one line for each include that breaks a rule;
# exit status 1 if any did, 2 if the rules could not be had.
#   tools/check-layers.sh [BUILD_FOLDER]   (build/debug by default, configured if it is not)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/debug}
if [ -z "${1:-}" ] && [ ! -f "$build/build.ninja" ]; then
    cmake --preset debug >/dev/null
fi
# Regenerates the build files, and with them layers.txt, if a CMakeLists.txt changed since.
cmake --build "$build" --target build.ninja >/dev/null
rules_file=$build/layers.txt
if [ ! -f "$rules_file" ]; then
    echo "check-layers: no $rules_file (is $build a configured build folder?)" >&2
    exit 2
fi

# allowed[folder] = " the folders and Qt libraries it may include " (its own not among them).
declare -A allowed=()
qt_headers=""
while IFS= read -r line; do
    case $line in
        "" | \#*) ;;
        "Qt headers: "*) qt_headers=${line#*: } ;;
        *) allowed[${line%%:*}]=" ${line#*:} " ;;
    esac
done <"$rules_file"

# Sets `module` to the Qt library a Qt header belongs to: "QtWidgets" for <QtWidgets/QWidget>
# and, found among the Qt headers, for <QWidget>; empty if it cannot be told.
qt_module_of() {
    local found
    module=""
    if [[ $1 == */* ]]; then
        module=${1%%/*}
        return
    fi
    for found in "$qt_headers"/Qt*/"$1"; do
        if [ -n "$qt_headers" ] && [ -e "$found" ]; then
            module=${found%/*}
            module=${module##*/}
            return
        fi
    done
}

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

# The rule `folder` has, in words.
rule_of() {
    local folder list=()
    for folder in ${allowed[$1]}; do
        [[ $folder == Qt* ]] || list+=("$folder")
    done
    if [ ${#list[@]} -eq 0 ]; then
        echo "$1 links no other library of the project ($1/CMakeLists.txt)"
    else
        local joined
        joined=$(printf ', %s' "${list[@]}")
        echo "$1 links only ${joined:2} of the project ($1/CMakeLists.txt)"
    fi
}

found=0
report() { # file, line, include as written, rule
    echo "$1:$2: includes $3: $4"
    found=1
}

# Tracked files, and new ones not yet added, so a check before a commit sees them too.
while IFS= read -r file; do
    [ -f "$file" ] || continue # deleted but not yet committed
    from=${file%%/*}
    [ -n "${allowed[$from]+set}" ] || continue # no library's folder
    # "line:include as written", e.g. '4:"bank/AccountTable.h"' or '7:<QLabel>'.
    while IFS= read -r hit; do
        line=${hit%%:*}
        written=${hit#*:}
        name=${written:1:${#written}-2}
        # Like the compiler: a quoted include is looked for beside the file first, then in the
        # include roots, where its first folder names the library.
        target=$name
        if [ "${written:0:1}" = '"' ] && [ -e "${file%/*}/$name" ]; then
            normalize "${file%/*}/$name"
        fi
        to=${target%%/*}
        if [ -n "${allowed[$to]+set}" ] && [ "$target" != "$to" ]; then
            if [ "$to" != "$from" ] && [[ ${allowed[$from]} != *" $to "* ]]; then
                report "$file" "$line" "$written" "$(rule_of "$from")"
            fi
        elif [ "$target" != "$name" ]; then
            # Reached by a relative path, outside every library (tests/, bench/, ...).
            report "$file" "$line" "$written" "a library includes only the libraries' headers"
        elif [[ $name == Q* ]]; then
            qt_module_of "$name"
            if [[ ${allowed[$from]} != *" Qt"* ]]; then
                report "$file" "$line" "$written" "$from links no Qt ($from/CMakeLists.txt)"
            elif [ -n "$module" ] && [[ ${allowed[$from]} != *" $module "* ]]; then
                report "$file" "$line" "$written" "$from links no $module ($from/CMakeLists.txt)"
            fi
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^>"]+[>"]' "$file" |
        sed -E 's/^([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*([<"][^>"]+[>"]).*/\1:\2/')
done < <(git ls-files --cached --others --exclude-standard -- \
    '*.h' '*.hh' '*.hpp' '*.hxx' '*.inl' '*.ipp' '*.c' '*.cc' '*.cpp' '*.cxx' | sort -u)

exit $found
