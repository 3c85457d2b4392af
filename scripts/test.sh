#!/usr/bin/env bash
# Checks that every include points down a floor (scripts/check_floors.sh), then
# builds everything with warnings as errors and runs every test. Pass extra CMake
# options as arguments. The build is a Release build in build/, as users build it;
# with -DTARNIK_SANITIZE=ON (AddressSanitizer and UndefinedBehaviorSanitizer) it is
# a RelWithDebInfo build in a folder of its own, build-sanitize/, so that a finding
# comes with its source lines.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/check_floors.sh
dir=build
type=Release
for option in "$@"; do
    if [ "$option" = -DTARNIK_SANITIZE=ON ]; then
        dir=build-sanitize
        type=RelWithDebInfo
    fi
done
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=$type -DTARNIK_WERROR=ON "$@"
cmake --build "$dir" -j2
ctest --test-dir "$dir" -j2 --output-on-failure
