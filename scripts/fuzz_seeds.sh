#!/usr/bin/env bash
# Writes the fuzzers' seed corpus, fuzz/seeds/, from the data that the build
# makes with the project's own tools. usage: scripts/fuzz_seeds.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
data=$build/data
seeds=fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/arj "$seeds"/pack "$seeds"/jpeg "$seeds"/png "$seeds"/3ds
cp "$data"/neon.jpg "$data"/sulka.jpg "$data"/kukka.jpg "$seeds"/jpeg/
for mask in aita kukka kaisla; do cp "$data/$mask.mask" "$seeds/png/$mask.png"; done
cp "$data"/kurppa.3ds "$seeds"/3ds/

# A data file of two entries, unscrambled: an ARJ archive, and the pack image inside it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"
cp "$data"/aita.mask "$data"/neon.jpg "$work/in/"
"$build/bin/demotool" pack "$work/in" "$work/demo.dat" >/dev/null
python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); open(sys.argv[2], "wb").write(bytes(b ^ 0xC3 for b in d))' \
  "$work/demo.dat" "$seeds/arj/two_entries.arj"
"$build/bin/demotool" unarj "$seeds/arj/two_entries.arj" "$seeds/pack/two_entries.img" >/dev/null
