#!/usr/bin/env bash
# Enchant's own programs with Tarnik as their Polish provider: the build is
# installed with `cmake --install` into a temporary prefix, which links the
# module into Enchant's module folder (the system's: Enchant reads no other);
# enchant-lsmod-2 and enchant-2 then run with an Enchant configuration folder of
# the test's own that orders pl_PL and pl to tarnik. The link is taken back at
# the end, and whatever was there before is put back.
# Arguments: CMAKE BUILD_DIR ENCHANT_MODULE_DIR TARNIK SANITIZED. Exits 77 (skipped)
# without Enchant's programs, under the sanitizers (a sanitized module does not
# load into a program built without them), or where the module folder cannot
# be written (not root).
set -euo pipefail
cmake=$1 build=$2 modules=$3 tarnik=$4 sanitized=$5
skip() {
    echo "skipped: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
command -v enchant-2 >/dev/null && command -v enchant-lsmod-2 >/dev/null ||
    skip "enchant-2 is not installed"
if [ "$sanitized" = ON ]; then skip "a module built with the sanitizers does not load into enchant-2"; fi
[ -w "$modules" ] || skip "$modules cannot be written here (the test installs into it as root)"

link=$modules/enchant_tarnik.so
scratch=$(mktemp -d)
previous=""
if [ -L "$link" ]; then previous=$(readlink "$link"); fi
if [ -e "$link" ] && [ ! -L "$link" ]; then skip "$link is a file of another install"; fi
restore() {
    rm -f "$link"
    if [ -n "$previous" ]; then ln -s "$previous" "$link"; fi
    rm -rf "$scratch"
}
trap restore EXIT

"$cmake" --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log" 2>&1 || {
    cat "$scratch/install.log" >&2
    fail "cmake --install failed"
}
[ "$(readlink "$link")" = "$scratch/prefix/lib/tarnik/enchant_tarnik.so" ] ||
    fail "the install did not link $link to the installed module: $(cat "$scratch/install.log")"

export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data ENCHANT_CONFIG_DIR=$scratch/config
mkdir -p "$HOME" "$ENCHANT_CONFIG_DIR"
printf 'pl_PL:tarnik\npl:tarnik\n' >"$ENCHANT_CONFIG_DIR/enchant.ordering"

out=$(enchant-lsmod-2 -list-dicts) || fail "enchant-lsmod-2 failed: $out"
grep -qx 'pl_PL (tarnik)' <<<"$out" || fail "enchant-lsmod-2 does not list pl_PL (tarnik): $out"
grep -qx 'pl (tarnik)' <<<"$out" || fail "enchant-lsmod-2 does not list pl (tarnik): $out"
out=$(enchant-lsmod-2 -lang pl_PL) || fail "enchant-lsmod-2 -lang failed: $out"
[ "$out" = "pl_PL (tarnik)" ] || fail "pl_PL is not answered by tarnik: $out"

# Tarnik's ranked suggestions, as tarnik pipe gives them on the installed data.
data=$scratch/prefix/lib/tarnik/XTensions
text='Ala ma kotta i ksiazke.'
expected=$(printf '%s\n' "$text" | "$tarnik" -a --data "$data" --user "$scratch/other.dic" | grep '^&')
out=$(printf '%s\n' "$text" | enchant-2 -d pl_PL -a) || fail "enchant-2 -a failed: $out"
[ "$(grep '^&' <<<"$out")" = "$expected" ] ||
    fail "enchant-2 -a does not answer as tarnik does: $out (tarnik: $expected)"
grep -q '^& ksiazke [0-9]* 15: książkę' <<<"$out" || fail "no książkę first: $out"

# A word added goes into Tarnik's user dictionary beside the installed data; a
# word of the session passes in the session only.
out=$(printf '*Tarnikowo\nTarnikowo\n@Qwyxz\nQwyxz\n' | enchant-2 -d pl -a)
[ "$(grep -c '^\*$' <<<"$out")" = 2 ] || fail "added words do not pass: $out"
words=$("$tarnik" dict --data "$data" list) || fail "tarnik dict failed: $words"
[ "$words" = "Tarnikowo" ] || fail "Tarnik's user dictionary holds: $words"
out=$(echo Qwyxz | enchant-2 -d pl -l)
[ "$out" = "Qwyxz" ] || fail "a word of an earlier session still passes: $out"
out=$(echo Tarnikowo | enchant-2 -d pl -l)
[ -z "$out" ] || fail "the added word does not pass in a new session: $out"

# Not Polish: not tarnik's.
out=$(enchant-lsmod-2 -lang en_US) || true
if grep -q tarnik <<<"$out"; then fail "tarnik answers for en_US: $out"; fi
echo "enchant-2 and enchant-lsmod-2 used tarnik for Polish"
