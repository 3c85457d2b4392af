#!/usr/bin/env bash
# Which lines of a text tarnik and hunspell each find a wrong word on, both as
# the programs a user runs: `tarnik pipe` and `hunspell -L`, each cutting the
# words of a line its own way. Prints the number of distinct non-empty lines,
# how many both judge alike, and each line judged otherwise.
#
#   bench/hunspell/line_agreement.sh [TARNIK] < text.txt
set -euo pipefail
tarnik=${1:-build/bin/tarnik}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grep -v '^[[:space:]]*$' | awk '!seen[$0]++' > "$work/lines"
# One verdict a line: 1 when the pipe reports a wrong word ('&', '#' or '?').
sed 's/^/^/' "$work/lines" | "$tarnik" pipe | tail -n +2 |
    awk '/^$/ { print bad + 0; bad = 0; next } /^[&#?]/ { bad = 1 }' > "$work/tarnik"
hunspell -d pl_PL -i utf-8 -L < "$work/lines" 2>/dev/null | sort -u > "$work/flagged"
awk 'NR == FNR { flagged[$0] = 1; next } { print ($0 in flagged) ? 1 : 0 }' \
    "$work/flagged" "$work/lines" > "$work/hunspell"
paste -d '\t' "$work/tarnik" "$work/hunspell" "$work/lines" | awk -F '\t' '
    $1 == $2 { alike++; next }
    { print ($1 ? "only tarnik finds a wrong word: " : "only hunspell finds a wrong word: ") $3 }
    END { printf "%d lines, %d judged alike (%.2f%%)\n", NR, alike, NR ? 100 * alike / NR : 100 }'
