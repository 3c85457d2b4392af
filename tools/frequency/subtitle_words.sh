#!/bin/sh
# Writes the words of everyday Polish in order of frequency, one a line, the most
# frequent first: commonWords.json of the npm package @zxcvbn-ts/language-pl (MIT
# licence; words ranked by their frequency in film subtitles), fetched with
# `npm pack` into a scratch folder that goes when the script ends.
#
#   subtitle_words.sh [VERSION]      (default 3.0.2, the version data/frequency.txt used)
set -eu
version=${1:-3.0.2}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
npm pack --silent "@zxcvbn-ts/language-pl@$version" >/dev/null
tar -xzf "zxcvbn-ts-language-pl-$version.tgz" package/src/commonWords.json
node -e 'for (const word of JSON.parse(require("fs").readFileSync(process.argv[1], "utf8")))
    console.log(word)' package/src/commonWords.json
