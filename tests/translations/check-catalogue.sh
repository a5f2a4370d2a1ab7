#!/usr/bin/env bash
# Fails when a text of the program has no finished Spanish translation: lupdate reads the sources
# into a scratch copy of the catalogue, and every message there must be translated.
#   check-catalogue.sh LUPDATE SOURCE_DIR CATALOGUE
set -euo pipefail
lupdate=$1 sources=$2 catalogue=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$catalogue" "$scratch/catalogue.ts"
"$lupdate" -silent "$sources" -ts "$scratch/catalogue.ts" -no-obsolete -locations none
if grep -nE 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<numerusform></numerusform>' \
    "$scratch/catalogue.ts"; then
    echo "Texts without a finished Spanish translation in $catalogue (run lupdate and translate them)." >&2
    exit 1
fi
if ! diff -q "$catalogue" "$scratch/catalogue.ts" >/dev/null; then
    diff "$catalogue" "$scratch/catalogue.ts" || true
    echo "$catalogue is not up to date with the sources (run lupdate)." >&2
    exit 1
fi
echo "The catalogue holds every text of the program, translated."
