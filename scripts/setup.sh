#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need on a
# bare Debian 12 (the list is scripts/packages.txt), updating the package lists
# first. Runs apt-get as root, or through sudo when run as another user. Safe to
# run again: when every package is present it changes nothing.
set -euo pipefail
cd "$(dirname "$0")"
packages=()
while read -r line; do
    name=${line%%#*}
    name=${name//[[:space:]]/}
    [ -n "$name" ] && packages+=("$name")
done <packages.txt
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# npm fetches the list of everyday Polish words for data/frequency.txt
# (regenerate_frequency). It comes with Node.js where a machine has that from
# elsewhere, and Debian's own npm package would conflict with it there: it is
# installed only where no npm is found.
command -v npm >/dev/null || missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "setup.sh: these packages are missing: ${missing[*]}" >&2
        echo "setup.sh: run this script as root, or install sudo, to install them" >&2
        exit 1
    fi
    sudo=(sudo)
fi
echo "setup.sh: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
