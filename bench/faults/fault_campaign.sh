#!/usr/bin/env bash
# A fault campaign against the built tarnik, as a user's files meet it: saves
# killed at random moments, programs writing one user dictionary at once, a full
# disk (a file-size limit), and damaged user dictionaries opened by every
# command. Prints the counts of each trial and what was lost; exits 1 when
# anything was.
#
#   bench/faults/fault_campaign.sh [BUILD_DIR] [ROUNDS]     (default build, 100)
set -uo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-100}
tarnik=$build/bin/tarnik
data=$build/bin/XTensions
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
lost=0
export XDG_DATA_HOME=$work/xdg

# 1. kill -9 at a random moment of a save: the user dictionary is always whole
# (the old list or the new one), and a text file edited in place too.
python3 -c "
import random
random.seed(1)
letters='abcdefghijklmnoprstuwyząćęłńóśźż'
print('\n'.join(''.join(random.choice(letters) for _ in range(8)) for _ in range(20000)))" >words.txt
# Polish words only in its last line, for hyphenation and typography.
{ head -c 3000000 /dev/urandom | base64 -w 76; echo 'Rzekł "tak" -- i poszedł.'; } >text.orig
cp text.orig text.txt
"$tarnik" hyphenate --data "$data" <text.orig >text.done
torn=0
for ((i = 0; i < rounds; i++)); do
    rm -f user.dic user.dic.*
    "$tarnik" dict --data "$data" --user user.dic add kot >/dev/null
    "$tarnik" dict --data "$data" --user user.dic import words.txt >/dev/null 2>&1 &
    pid=$!
    sleep "0.0$((RANDOM % 10))"
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    if ! "$tarnik" dict --data "$data" --user user.dic list >listed.txt 2>/dev/null ||
        ! grep -qx kot listed.txt; then
        torn=$((torn + 1))
    fi
    "$tarnik" hyphenate --data "$data" --in-place --no-backup text.txt >/dev/null 2>&1 &
    pid=$!
    sleep "0.0$((RANDOM % 10))"
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
    # The old file whole, or the new one whole.
    cmp -s text.txt text.orig || cmp -s text.txt text.done || torn=$((torn + 1))
    cp text.orig text.txt
done
leftovers=$(find . -name '*.tmp-*' | wc -l)
"$tarnik" hyphenate --data "$data" --in-place --no-backup text.txt >/dev/null 2>&1
left=$(find . -name 'text.txt.tmp-*' | wc -l)
echo "kill -9 in saves: $((2 * rounds)) trials, $torn torn files; $leftovers temporary files left by killed saves, $left after the next save"
lost=$((lost + torn + left))

# 2. Two programs adding words to one user dictionary at once: every word stays.
rm -f user.dic user.dic.*
"$tarnik" dict --data "$data" --user user.dic add kot >/dev/null
words=$((rounds * 2))
add() {
    for ((n = 0; n < words / 2; n++)); do
        "$tarnik" dict --data "$data" --user user.dic add "$1$(printf '%05d' $n | tr 0-9 a-j)" >/dev/null
    done
}
add pierwszy &
add drugi &
wait
kept=$("$tarnik" dict --data "$data" --user user.dic list | grep -c '^\(pierwszy\|drugi\)')
echo "concurrent writers: $words words added by two programs at once, $kept kept"
lost=$((lost + words - kept))

# 3. A full disk (a file-size limit below the new file, its signal ignored so
# that writes fail as on a full disk): every save fails with
# its reason and a non-zero status, and the old file stays whole.
full=0
quiet=0
cp text.orig text.txt
for command in "hyphenate --data $data --in-place text.txt" "typo --in-place text.txt" \
    "dict --data $data --user user.dic import words.txt"; do
    cp user.dic user.before
    out=$( (trap '' XFSZ; ulimit -f 64; "$tarnik" $command) 2>&1 >/dev/null)
    status=$?
    if [ $status -eq 0 ] || [ -z "$out" ]; then quiet=$((quiet + 1)); fi
    cmp -s text.txt text.orig && cmp -s user.dic user.before || full=$((full + 1))
done
echo "full disk: 3 saves, $full changed a file, $quiet failed without a message or with status 0"
lost=$((lost + full + quiet))

# 4. Damaged user dictionaries opened by commands that never edit them: never
# replaced without a kept copy.
printf '{"stories":[{"text":"Ala ma kota"}],"spreads":[{"items":[{"id":"t","type":"text","story":0}]}],"current":"t"}' >doc.json
mkdir -p X && cp "$data"/son.dic "$data"/PLHYPH.DAT "$data"/Tarnik11.so X/
printf 'kotx\npiesx\nalax\n' >three.txt
wiped=0
for ((i = 0; i < rounds; i++)); do
    rm -f X/user.dic X/user.dic.*
    "$tarnik" dict --data X --user X/user.dic import three.txt >/dev/null
    python3 -c "
import random, sys
random.seed($i)
d = bytearray(open('X/user.dic', 'rb').read())
kind = $i % 3
if kind == 0: d[0:4] = b'\0\0\0\0'
elif kind == 1: d = d[:random.randint(1, 3)]
else: d[random.randrange(len(d))] = random.randrange(256)
open('X/user.dic', 'wb').write(d)"
    cp X/user.dic damaged.dic
    "$tarnik" menus --data X doc.json >/dev/null 2>&1
    if ! cmp -s X/user.dic damaged.dic && ! ls X/user.dic.bak* >/dev/null 2>&1; then
        wiped=$((wiped + 1))
    elif ls X/user.dic.bak* >/dev/null 2>&1 && ! cmp -s X/user.dic.bak damaged.dic; then
        wiped=$((wiped + 1))
    fi
done
echo "damaged user dictionaries: $rounds opened by tarnik menus, $wiped replaced without a kept copy"
lost=$((lost + wiped))

[ $lost -eq 0 ]
