#!/usr/bin/env bash
# Installs what the build needs beyond g++, CMake, GoogleTest and Google Benchmark.
# Safe to run again: packages already present are left alone.
set -euo pipefail
packages=(nlohmann-json3-dev hunspell-pl libhunspell-dev hyphen-pl libhyphen-dev gettext emacs-nox manpages-pl groff-base)
packages+=(clang libclang-rt-14-dev)  # scripts/fuzz.sh: the fuzzing harnesses
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
