#!/usr/bin/env bash
# Suggestion time of whole processes: for each misspelt word of WORDS (UTF-8, one
# a line; speller_compare --misspellings-out writes them), one run of
# `tarnik pipe` and one of `hunspell -a` with the Polish dictionary, each given
# the word alone, timed from start to exit. Prints the median and the 95th
# percentile of each, in milliseconds, and their ratio.
#
#   bench/hunspell/suggest_process.sh WORDS [TARNIK] [COUNT]
#
# TARNIK defaults to build/bin/tarnik; COUNT (default 200) words are taken,
# spread evenly over the file.
set -euo pipefail
words=$1
tarnik=${2:-build/bin/tarnik}
count=${3:-200}
python3 - "$words" "$tarnik" "$count" <<'PY'
import statistics, subprocess, sys, time
path, tarnik, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
words = [w for w in open(path, encoding="utf-8").read().split("\n") if w]
step = max(1, len(words) // count)
chosen = words[::step][:count]
def run(command, word):
    start = time.perf_counter()
    out = subprocess.run(command, input=(word + "\n").encode(), stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, check=True).stdout
    took = (time.perf_counter() - start) * 1000
    if b"&" not in out and b"#" not in out:
        sys.exit(f"no answer for {word!r} from {command[0]}")
    return took
times = {"tarnik pipe": [], "hunspell -a": []}
for word in chosen:
    times["tarnik pipe"].append(run([tarnik, "pipe"], word))
    times["hunspell -a"].append(run(["hunspell", "-d", "pl_PL", "-i", "utf-8", "-a"], word))
def p95(values):
    values = sorted(values)
    return values[int(0.95 * (len(values) - 1) + 0.5)]
for name, values in times.items():
    print(f"{name}: {len(values)} words, median {statistics.median(values):.1f} ms, "
          f"95th percentile {p95(values):.1f} ms")
t, h = times["tarnik pipe"], times["hunspell -a"]
print(f"ratio hunspell / tarnik: median {statistics.median(h) / statistics.median(t):.1f}, "
      f"95th percentile {p95(h) / p95(t):.1f}")
PY
