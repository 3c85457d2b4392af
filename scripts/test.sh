#!/usr/bin/env bash
# Builds everything and runs every test. Pass extra CMake options as arguments,
# e.g. scripts/test.sh -DTARNIK_SANITIZE=ON (uses its own build folder).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
dir=build
[ $# -gt 0 ] && dir=build-sanitize
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$dir" -j2
ctest --test-dir "$dir" -j2 --output-on-failure
