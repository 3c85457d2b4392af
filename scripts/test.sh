#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test. Pass extra CMake
# options as arguments; with -DTARNIK_SANITIZE=ON (AddressSanitizer and
# UndefinedBehaviorSanitizer) the build has its own folder, build-sanitize/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
dir=build
for option in "$@"; do
    if [ "$option" = -DTARNIK_SANITIZE=ON ]; then dir=build-sanitize; fi
done
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNIK_WERROR=ON "$@"
cmake --build "$dir" -j2
ctest --test-dir "$dir" -j2 --output-on-failure
