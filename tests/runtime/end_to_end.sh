#!/usr/bin/env bash
# The demo program end to end, headless: usage errors, a missing and a broken
# data file, a whole run on the fixed-step clock, and frame capture.
# usage: end_to_end.sh DEMO
source "$(dirname "$0")/../support/demo_sandbox.sh" "$1"

printf hello >readme.txt
make_data_file demo.dat readme.txt

"$demo" --help >help.txt; [ $? -eq 0 ] && grep -q -- "--fps N" help.txt || fail "--help"
"$demo" --fps 0 2>err.txt; [ $? -eq 2 ] && grep -q "frame rate" err.txt || fail "--fps 0 is refused with status 2"

mkdir empty
(cd empty && "$demo" -nosound --window --fps 50 >out.txt 2>err.txt); status=$?
[ $status -eq 1 ] || fail "missing data file: status $status, expected 1"
grep -qx "Demo datafile 'demo.dat' not found!" empty/err.txt || fail "missing data file message: $(cat empty/err.txt)"

mkdir broken
head -c 100 demo.dat >broken/demo.dat
(cd broken && "$demo" -nosound --window --fps 50 >out.txt 2>err.txt); status=$?
[ $status -eq 255 ] || fail "a truncated data file ends with status 255, got $status"

"$demo" -NoSound --window --fps 50 >out.txt 2>err.txt; status=$?
[ $status -eq 0 ] || fail "whole show: status $status: $(tail -3 err.txt)"
grep -q "^files in archive: 1$" out.txt || fail "listing missing"
grep -q "^  Entry #1: readme.txt, 19, 5$" out.txt || fail "entry line missing"
grep -q "placeholder part" out.txt && fail "per-frame lines must be off by default"

# The data file beside the executable is found from any folder.
mkdir run
cp demo.dat bin/
(cd run && ../bin/demo -nosound --window --fps 1 >out.txt 2>err.txt); status=$?
[ $status -eq 0 ] || fail "data file beside the program: status $status: $(cat run/err.txt)"

"$demo" -nosound --window --fps 2 --frames frames >out.txt 2>err.txt; status=$?
[ $status -eq 0 ] || fail "capture run: status $status"
count=$(ls frames | wc -l)
[ "$count" -eq 404 ] || fail "3 s of loading picture and 199 s of show at 2 fps present 404 frames, found $count"
/usr/bin/python3 -c "
from PIL import Image
im = Image.open('frames/frame000100.png')
assert im.size == (640, 480) and im.mode == 'RGB', (im.size, im.mode)" || fail "captured frame is not a 640x480 RGB PNG"

finish
