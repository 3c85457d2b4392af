#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang and runs each for SECONDS
# (default 60), or only the harnesses named:
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]      e.g. scripts/fuzz.sh 600 document
#
# Each harness starts from its seeds in fuzz/corpus/NAME and the corpus it grew on
# earlier runs (build-fuzz/corpus/NAME). Inputs that crash, leak, hang or run out
# of memory land in build-fuzz/findings/NAME/. Prints the executions and findings
# of each harness; exits 1 when any harness found something.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=60
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
    seconds=$1
    shift
fi
dir=build-fuzz
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DTARNIK_FUZZ=ON -DTARNIK_BUILD_TESTS=OFF \
    -DTARNIK_BUILD_BENCH=OFF >/dev/null
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    for seeds in fuzz/corpus/*/; do
        harnesses+=("$(basename "$seeds")")
    done
fi
cmake --build "$dir" -j2 --target "${harnesses[@]/#/fuzz_}" >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
found=0
printf '%-16s %12s %8s  %s\n' harness executions seconds findings
for name in "${harnesses[@]}"; do
    corpus=$dir/corpus/$name
    findings=$dir/findings/$name
    mkdir -p "$corpus" "$findings"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$findings/")
    [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
    before=$(find "$findings" -type f | wc -l)
    start=$(date +%s)
    TARNIK_FUZZ_SCRATCH=$scratch "$dir/bin/fuzz_$name" "${options[@]}" "$corpus" \
        "fuzz/corpus/$name" >"$dir/findings/$name.log" 2>&1 || true
    took=$(($(date +%s) - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/findings/$name.log" | tail -1)
    new=$(($(find "$findings" -type f | wc -l) - before))
    report="none"
    if [ "$new" -gt 0 ]; then
        found=1
        report="$new new in $findings (log: $dir/findings/$name.log)"
    fi
    printf '%-16s %12s %8s  %s\n' "$name" "${runs:-?}" "$took" "$report"
done
exit $found
