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

# Small JPEG files of the reader's other paths, from a corner of one picture: progressive with restarts, grey
# progressive, 4x2 sampling, inverted CMYK (progressive) and the same as YCCK, and a frame without Huffman tables.
djpeg -crop 37x29+0+0 -pnm "$data"/neon.jpg > "$work/corner.pnm"
cjpeg -progressive -restart 1 -outfile "$seeds"/jpeg/progressive.jpg "$work/corner.pnm"
cjpeg -progressive -grayscale -sample 4x1 -outfile "$seeds"/jpeg/progressive_grey.jpg "$work/corner.pnm"
cjpeg -sample 4x2 -restart 1B -outfile "$seeds"/jpeg/sampled_4x2.jpg "$work/corner.pnm"
cjpeg -quality 60 -outfile "$work/standard_tables.jpg" "$work/corner.pnm"
/usr/bin/python3 - "$work/corner.pnm" "$seeds"/jpeg <<'PY'
import sys
from PIL import Image
Image.open(sys.argv[1]).convert("CMYK").save(sys.argv[2] + "/cmyk.jpg", progressive=True)
cmyk = open(sys.argv[2] + "/cmyk.jpg", "rb").read()
adobe = cmyk.index(b"\xff\xee")
open(sys.argv[2] + "/ycck.jpg", "wb").write(cmyk[:adobe + 15] + b"\x02" + cmyk[adobe + 16:])
PY
/usr/bin/python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); open(sys.argv[2], "wb").write(d.replace(b"\xff\xc4", b"\xff\xfe"))' \
  "$work/standard_tables.jpg" "$seeds"/jpeg/without_huffman_tables.jpg
