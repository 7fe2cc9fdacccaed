#!/usr/bin/env bash
# The whole program headless on a fixed 6 fps clock, sound on without demo.mp3:
# both music messages, every frame presented, and the timeline's switches in
# the captured frames. Fades are checked in intro_test and show_pictures_test.
# usage: opening.sh DEMO
source "$(dirname "$0")/../support/demo_sandbox.sh" "$1"
fps=6
make_picture_show

"$demo" --window --fps $fps --frames frames >out.txt 2>err.txt; status=$?
[ $status -eq 0 ] || fail "status $status: $(tail -3 err.txt)"
grep -q "^Unable to load demo.mp3$" err.txt || fail "no load message: $(cat err.txt)"
grep -q "^Error while starting to play music!$" err.txt || fail "no play message: $(cat err.txt)"
count=$(ls frames | wc -l)
[ "$count" -eq $((202 * fps)) ] || fail "3 s of loading and 199 s of show present $((202 * fps)) frames, found $count"

# Frame number, then the expected colours of the upper and lower halves.
/usr/bin/python3 - $fps <<'PY' || fail "frame pixels"
import sys
from PIL import Image
f = int(sys.argv[1])
L = 3 * f  # frames of the loading picture
WHITE = (255, 255, 255)
expected = {
    L - 1: tuple(tuple(round(v * (L - 1) / L) for v in c) for c in ((240, 60, 0), (0, 60, 240))),
    L + 92 * f: (WHITE, WHITE),                # interlude at t = 0
    L + 95 * f: ((30, 200, 90), (200, 30, 200)),
    L + 194 * f: (WHITE, WHITE),               # closing at t = 0
}
bad = 0
for frame, (upper, lower) in expected.items():
    im = Image.open("frames/frame%06d.png" % frame).convert("RGB")
    for (x, y), want in (((320, 120), upper), ((320, 360), lower), ((20, 20), upper), ((620, 460), lower)):
        got = im.getpixel((x, y))
        if any(abs(g - w) > 6 for g, w in zip(got, want)):
            print("frame %d at (%d, %d): %s, expected %s" % (frame, x, y, got, want))
            bad += 1
# The nature parts draw their scenes (none in this show): the pictures before them are gone.
for frame, before in ((L, L - 1), (L + 97 * f, L + 95 * f)):
    now, then = (Image.open("frames/frame%06d.png" % n).convert("RGB") for n in (frame, before))
    if all(now.getpixel(p) == then.getpixel(p) for p in ((320, 120), (320, 360))):
        print("frame %d still shows frame %d" % (frame, before))
        bad += 1
sys.exit(1 if bad else 0)
PY
finish
