#!/usr/bin/env bash
# Writes Polish prose that nobody on the project wrote, made from what Debian
# installs: the translations of the Polish message catalogues (gettext's
# msgunfmt), then the Polish manual pages rendered as text (manpages-pl and the
# pages other packages bring). With a byte count, stops at about that much, cut
# at a character boundary.
#
#   bench/typography/polish_prose.sh [BYTES] > prose.txt
set -euo pipefail
limit=${1:-0}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
full() { [ "$limit" -gt 0 ] && [ "$(stat -c %s "$out")" -ge "$limit" ]; }
for f in /usr/share/locale/pl/LC_MESSAGES/*.mo; do
    full && break
    msgunfmt "$f" 2>/dev/null | msgexec 0 2>/dev/null | tr '\0' '\n' >> "$out" || true
done
for f in /usr/share/man/pl/man*/*; do
    full && break
    zcat -f "$f" 2>/dev/null | groff -k -Tutf8 -mandoc -rLL=2000n -rHY=0 -P-cbou 2>/dev/null >> "$out" || true
done
if [ "$limit" -gt 0 ]; then
    head -c "$limit" "$out" | iconv -f UTF-8 -t UTF-8 -c
else
    cat "$out"
fi
