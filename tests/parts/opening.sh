#!/usr/bin/env bash
# The show's opening, headless, on the fixed 30 fps clock: the loading picture
# fades in from black over three seconds of frames, the placeholder parts
# follow, and the interlude and closing pictures fade in from white and out
# to black at their times. The sound is on without demo.mp3: the two music
# messages appear and the show still runs to its end.
# usage: opening.sh DEMO
set -u
demo="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The three pictures, 640x480, each upper half one colour and lower half
# another, packed, compressed by arj and scrambled.
mkdir data
/usr/bin/python3 - <<'PY'
import struct
from PIL import Image
pictures = {
    "loading.jpg": ((240, 60, 0), (0, 60, 240)),
    "loading2.jpg": ((30, 200, 90), (200, 30, 200)),
    "the_end.jpg": ((60, 90, 240), (240, 240, 60)),
}
pack = struct.pack("<I", len(pictures))
for name, (upper, lower) in pictures.items():
    im = Image.new("RGB", (640, 480), lower)
    im.paste(upper, (0, 0, 640, 240))
    im.save("data/" + name, quality=95)
    body = open("data/" + name, "rb").read()
    pack += name.encode() + b"\0" + struct.pack("<I", len(body)) + body
open("data/pack.bin", "wb").write(pack)
PY
(cd data && arj a -m1 ../plain.arj pack.bin >/dev/null) || fail "arj could not make the test archive"
/usr/bin/python3 -c "
d = open('plain.arj', 'rb').read()
open('demo.dat', 'wb').write(bytes(b ^ 0xC3 for b in d))"

"$demo" --window --fps 30 --frames frames >out.txt 2>err.txt; status=$?
[ $status -eq 0 ] || fail "status $status: $(tail -3 err.txt)"
grep -q "^Unable to load demo.mp3$" err.txt || fail "no load message: $(cat err.txt)"
grep -q "^Error while starting to play music!$" err.txt || fail "no play message: $(cat err.txt)"
count=$(ls frames | wc -l)
[ "$count" -eq 6060 ] || fail "3 s of loading and 199 s of show at 30 fps present 6060 frames, found $count"

# Frame number, then the expected colours of the upper and lower halves.
/usr/bin/python3 - <<'PY' || fail "frame pixels"
import sys
from PIL import Image

def scaled(c, f):
    return tuple(round(v * f) for v in c)

LOADING = ((240, 60, 0), (0, 60, 240))
INTERLUDE = ((30, 200, 90), (200, 30, 200))
CLOSING = ((60, 90, 240), (240, 240, 60))
WHITE, BLACK = (255, 255, 255), (0, 0, 0)
natu1 = (237, 107, 23)
expected = {
    0: (BLACK, BLACK),                                # loading, opacity 0
    45: tuple(scaled(c, 0.5) for c in LOADING),        # opacity 0.5
    89: tuple(scaled(c, 89 / 90) for c in LOADING),    # last loading frame
    90: (natu1, natu1),                                # first scene part at t = 0
    2849: ((26, 51, 115),) * 2,                        # last frame of the first machine part
    2850: (WHITE, WHITE),                              # interlude at t = 0: white
    2940: INTERLUDE,                                   # t = 3: opaque, no cover yet
    2970: tuple(scaled(c, 0.5) for c in INTERLUDE),    # t = 4: half black
    2999: tuple(scaled(c, 1 / 60) for c in INTERLUDE), # t = 4.97: nearly black
    3000: ((204, 128, 51),) * 2,                       # second nature part
    5910: (WHITE, WHITE),
    6000: CLOSING,
    6030: tuple(scaled(c, 0.5) for c in CLOSING),
}
bad = 0
for frame, (upper, lower) in expected.items():
    im = Image.open("frames/frame%06d.png" % frame).convert("RGB")
    for (x, y), want in (((320, 120), upper), ((320, 360), lower), ((20, 20), upper), ((620, 460), lower)):
        got = im.getpixel((x, y))
        if any(abs(g - w) > 6 for g, w in zip(got, want)):
            print("frame %d at (%d, %d): %s, expected %s" % (frame, x, y, got, want))
            bad += 1
sys.exit(1 if bad else 0)
PY

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
