#!/usr/bin/env bash
# The demo program end to end, headless. usage: end_to_end.sh DEMO
source "$(dirname "$0")/../support/demo_sandbox.sh" "$1"
printf hello >readme.txt
make_data_file demo.dat readme.txt
mkdir empty broken run
head -c 100 demo.dat >broken/demo.dat

"$demo" --help >help.txt; [ $? -eq 0 ] && grep -q -- "--fps N" help.txt || fail "--help"
"$demo" --fps 0 2>err.txt; [ $? -eq 2 ] && grep -q "frame rate" err.txt || fail "--fps 0 is refused with status 2"
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$demo" -nosound >out.txt 2>err.txt; status=$?
[ $status -eq 1 ] && [ "$(wc -l <err.txt)" -eq 1 ] && grep -q -- "--capture show.mp4.*SDL_VIDEODRIVER=offscreen" err.txt ||
  fail "no display: status $status, $(cat err.txt)"

(cd empty && "$demo" -nosound --window --fps 50 >out.txt 2>err.txt); status=$?
[ $status -eq 1 ] || fail "missing data file: status $status, expected 1"
grep -qx "Demo datafile 'demo.dat' not found!" empty/err.txt || fail "missing data file message: $(cat empty/err.txt)"
(cd broken && "$demo" -nosound --window --fps 50 >out.txt 2>err.txt); status=$?
[ $status -eq 255 ] || fail "a truncated data file ends with status 255, got $status"

# From another folder: the data file beside the program is found.
cp demo.dat bin/
(cd run && ../bin/demo -NoSound --window --fps 50 >out.txt 2>err.txt); status=$?
[ $status -eq 0 ] || fail "whole show: status $status: $(tail -3 run/err.txt)"
grep -q "^files in archive: 1$" run/out.txt || fail "listing missing"
grep -q "^  Entry #1: readme.txt, 19, 5$" run/out.txt || fail "entry line missing"
grep -q "RenderScene" run/out.txt && fail "per-frame lines must be off by default"
finish
