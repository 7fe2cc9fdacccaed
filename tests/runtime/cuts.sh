#!/usr/bin/env bash
# The show's cuts on its real data, headless on a fixed 5 fps clock: a part's first frames after the cut from the
# part before look as when the part plays alone; the frames of a stretch from the loading through the interlude
# picture into the next part are the same, byte for byte, when the back buffer is filled with magenta after every
# swap (nothing is drawn over what a swap left) and without the warm-ups (they leave no trace); and so are, without
# the warm-ups, the frames from Natu2 across the cut into Techno3 and Techno2's first frames, whose chrome once
# changed its texture's filter in the first frame drawn, after the objects that share the texture.
# usage: cuts.sh DEMO DEMO_DAT
source "$(dirname "$0")/../support/demo_sandbox.sh" "$1"
cp "$2" bin/demo.dat || fail "no data file at $2"
fps=5

# Natu2 (12 s), Techno3 (20 s), then into Techno2; and the interlude (5 s) into Natu2. Each cut's first two frames
# against the part alone.
run show natu2 32.4
run interlude interlude 5.4
for alone in natu2 techno3 techno2; do run "$alone" "$alone" 0.4; done
[ "$(ls show | wc -l)" -eq 162 ] || fail "natu2 to techno2: $(ls show | wc -l) frames, expected 162"
[ "$(ls interlude | wc -l)" -eq 27 ] || fail "interlude to natu2: $(ls interlude | wc -l) frames, expected 27"
/usr/bin/python3 - $fps <<'PY' || fail "a part's first frames after a cut differ from the part alone"
import sys
from PIL import Image, ImageChops, ImageStat
fps = int(sys.argv[1])
bad = 0
for run, part, first in (("show", "techno3", 12 * fps), ("show", "techno2", 32 * fps), ("interlude", "natu2", 5 * fps)):
    for k in (0, 1):
        cut = Image.open("%s/frame%06d.png" % (run, first + k)).convert("RGB")
        alone = Image.open("%s/frame%06d.png" % (part, k)).convert("RGB")
        # The mean difference per channel in each quarter of the frame: a ghost of the part before shows in all.
        for box in ((0, 0, 320, 240), (320, 0, 640, 240), (0, 240, 320, 480), (320, 240, 640, 480)):
            d = sum(ImageStat.Stat(ImageChops.difference(cut.crop(box), alone.crop(box))).mean) / 3
            if d >= 6:
                print("%s frame %d, quarter %s: mean difference %.1f" % (part, k, box, d))
                bad += 1
sys.exit(1 if bad else 0)
PY

# From the loading through the interlude picture into Natu2 again, with the switches.
run spoiled interlude 5.4 DEMO_SPOIL_BACK_BUFFER=1
run cold interlude 5.4 DEMO_NO_WARM_UP=1
for other in spoiled cold; do
  diff -rq interlude $other >diff.txt || fail "$other: frames differ: $(head -3 diff.txt)"
done

# Without the warm-ups from Natu2 into Techno3, and Techno2 alone.
run cold_show natu2 12.4 DEMO_NO_WARM_UP=1
run cold_techno2 techno2 0.4 DEMO_NO_WARM_UP=1
[ "$(ls cold_show | wc -l)" -eq 62 ] || fail "natu2 to techno3 cold: $(ls cold_show | wc -l) frames, expected 62"
differing="$(for frame in cold_show/*; do cmp -s "$frame" "show/${frame#cold_show/}" || echo "${frame#cold_show/}"; done)"
[ -z "$differing" ] || fail "cold: frames differ from natu2 to techno3: $(echo "$differing" | tr '\n' ' ' | cut -c1-200)"
diff -rq techno2 cold_techno2 >diff.txt || fail "cold techno2: frames differ: $(head -3 diff.txt)"
finish
