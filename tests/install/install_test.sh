#!/usr/bin/env bash
# Installs the build with `cmake --install` into a temporary prefix, moves the whole
# prefix somewhere else, and runs the installed tarnik from an unrelated working
# folder: it must find its module and data from its own place, never from the build
# folder or the working folder. Arguments: CMAKE BUILD_DIR BINDIR XTENSIONS_DIR MANDIR DATADIR
# (the last four relative to the prefix) [ENCHANT_MODULE_DIR]: where the install
# links the Enchant provider, when it is built; the link is taken back at the
# end, and one that was there before is put back.
set -euo pipefail
cmake=$1 build=$2 bindir=$3 xtensions=$4 mandir=$5 datadir=$6 modules=${7:-}
scratch=$(mktemp -d)
link=${modules:+$modules/enchant_tarnik.so}
previous=""
if [ -n "$link" ] && [ -L "$link" ]; then previous=$(readlink "$link"); fi
restore() {
    if [ -n "$link" ] && [ -L "$link" ]; then
        rm -f "$link"
        if [ -n "$previous" ]; then ln -s "$previous" "$link"; fi
    fi
    rm -rf "$scratch"
}
trap restore EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cmake" --install "$build" --prefix "$scratch/staged" >"$scratch/install.log" || {
    cat "$scratch/install.log" >&2
    fail "cmake --install failed"
}
mv "$scratch/staged" "$scratch/prefix"
prefix=$scratch/prefix
for file in "$bindir/tarnik" "$xtensions/Tarnik11.so" "$xtensions/son.dic" "$xtensions/PLHYPH.DAT" \
    "$xtensions/mixedcase.dic" "$xtensions/frequency.txt" "$mandir/man1/tarnik.1" \
    "$datadir/bash-completion/completions/tarnik"; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/$bindir/tarnik" ] || fail "tarnik is not executable"

# A working folder of its own, and user files in the scratch folder only.
mkdir -p "$scratch/work" "$scratch/home"
cd "$scratch/work"
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/data
tarnik=$prefix/$bindir/tarnik

# Spelling: the word list in the installed son.dic.
out=$(printf 'kot\nksiazka\n' | "$tarnik" pipe) || fail "tarnik pipe failed: $out"
grep -qx '\*' <<<"$out" || fail "tarnik pipe did not accept 'kot': $out"
grep -q '^& ksiazka .*książka' <<<"$out" || fail "tarnik pipe did not suggest 'książka': $out"
# The mixed-case list and the word frequencies beside it rank the first suggestion.
out=$(printf 'Ghz chelp\n' | "$tarnik" pipe) || fail "tarnik pipe failed: $out"
grep -q '^& Ghz [0-9]* [0-9]*: GHz,' <<<"$out" || fail "tarnik pipe did not offer 'GHz' first: $out"
grep -q '^& chelp [0-9]* [0-9]*: help,' <<<"$out" || fail "tarnik pipe did not offer 'help' first: $out"

# Hyphenation: the installed PLHYPH.DAT.
out=$("$tarnik" hyph konstantynopolitańczykowianeczka) || fail "tarnik hyph failed: $out"
grep -q 'kon-stan-ty-no-po-li-tań-czy-ko-wia-necz-ka' <<<"$out" ||
    fail "tarnik hyph gave: $out"

# The plug-in module, loaded by the in-memory host for a document.
cat >doc.json <<'JSON'
{"language": "en", "stories": [{"text": "Ala ma kota."}],
 "spreads": [{"items": [{"id": "t1", "type": "text", "story": 0}]}], "current": "t1"}
JSON
out=$("$tarnik" menus doc.json 2>&1) || fail "tarnik menus failed: $out"
grep -q '^Polish Hyphenation' <<<"$out" || fail "tarnik menus shows no plug-in menu: $out"

# Without its installed module it fails, so it was never using another one.
rm "$prefix/$xtensions/Tarnik11.so"
if out=$("$tarnik" menus doc.json 2>&1); then
    fail "tarnik menus ran without its installed module: $out"
fi
grep -q "$prefix/$xtensions/Tarnik11.so" <<<"$out" || fail "the failure does not name the module: $out"
echo "installed tarnik ran from $prefix"
