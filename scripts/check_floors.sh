#!/usr/bin/env bash
# Checks that every include points down a floor (docs/architecture.md): a folder
# of src/ includes only its own folder, lower floors and include/tarnik; the
# in-memory host includes only itself and include/tarnik; nothing of src/ or
# host/ includes a front end, and src/ never includes host/. Prints each include
# that points up and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The floors, bottom up; the front ends above them all.
declare -A floor=(
    [framework]=0 [charsets]=0
    [files]=1 [markup]=1
    [speller]=2 [hyphenation]=2 [platform]=2
    [text]=3
    [typography]=4
    [spellcheck]=5 [hyphcommands]=5 [typocommands]=5
    [shell]=6
    [services]=7
    [cli]=8 [enchant]=8 [lsp]=8
)

bad=0
report() {
    echo "$1: includes \"$2\" ($3)"
    bad=1
}

while IFS= read -r file; do
    dir=${file#src/}
    dir=${dir%%/*}
    [ -n "${floor[$dir]+x}" ] || { echo "$file: folder '$dir' has no floor"; bad=1; continue; }
    while IFS= read -r target; do
        top=${target%%/*}
        [ "$top" = tarnik ] && continue
        if [ "$top" = host ] || [ "${floor[$top]:-}" = 8 ]; then
            report "$file" "$target" "the plug-in reaches the host only through HostApi"
        elif [ -n "${floor[$top]+x}" ] && [ "$top" != "$dir" ] && [ "${floor[$top]}" -ge "${floor[$dir]}" ]; then
            report "$file" "$target" "floor ${floor[$top]} from floor ${floor[$dir]}"
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find src -name '*.h' -o -name '*.cpp')

while IFS= read -r file; do
    while IFS= read -r target; do
        top=${target%%/*}
        case "$top" in
            tarnik | host) ;;
            *) report "$file" "$target" "the host meets the plug-in only through include/tarnik" ;;
        esac
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find host -name '*.h' -o -name '*.cpp')

while IFS= read -r file; do
    while IFS= read -r target; do
        case "${target%%/*}" in
            cli | enchant | lsp | src | tests | tools) report "$file" "$target" "the shared base stands alone" ;;
        esac
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find include -name '*.h')

exit $bad
