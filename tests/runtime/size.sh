#!/usr/bin/env bash
# --size on the real data, headless on a fixed 10 fps clock: a part at 1280x960 is the 640x480 picture, region by
# region, and sharper than that picture scaled up; in a 1920x1080 frame the part, a picture and its fade lie between
# black bars 240 pixels wide, the part exactly where a 1440x1080 frame has it; --capture records a 1280x960 video with
# its music; --aa 4 gives each pixel the mean of four samples; bad sizes and sample counts end with a message and
# status 2.
# usage: size.sh DEMO DEMO_DAT DEMO_MP3
source "$(dirname "$0")/../support/demo_sandbox.sh" "$1"
cp "$2" bin/demo.dat || fail "no data file at $2"
cp "$3" bin/demo.mp3 || fail "no music file at $3"

# run DIR PART SECONDS [OPTION...]: the frames of the range in DIR
run() {
  "$demo" -nosound --fps 10 --seed 1 --part "$2" --seconds "$3" --frames "$1" "${@:4}" >out.txt 2>err.txt ||
    fail "$*: $(tail -3 err.txt)"
}
run small Natu1 0.3
run large Natu1 0.3 --size 1280x960
run wide Natu1 0.3 --size 1920x1080
run tall Natu1 0.3 --size 1440x1080
run card interlude 2 --size 1920x1080
run smooth Natu1 0.3 --aa 4

/usr/bin/python3 - <<'PY' || fail "frames: see above"
import sys
from PIL import Image, ImageChops, ImageFilter, ImageStat
failed = False
def check(ok, what):
    global failed
    if not ok:
        print("FAIL:", what)
        failed = True
def frame(d, n):
    return Image.open("%s/frame%06d.png" % (d, n)).convert("RGB")
def mean(im):
    return sum(ImageStat.Stat(im).mean) / 3
def edges(im):
    g = im.convert("L")
    return mean(g.filter(ImageFilter.FIND_EDGES))

small, large = frame("small", 2), frame("large", 2)
check(large.size == (1280, 960), "the 1280x960 frame's size %s" % (large.size,))
reduced = large.resize(small.size, Image.BOX)
for row in range(4):
    for col in range(4):
        box = (col * 160, row * 120, col * 160 + 160, row * 120 + 120)
        d = mean(ImageChops.difference(reduced.crop(box), small.crop(box)))
        check(d < 6.0, "region %s: mean difference %.2f from the 640x480 picture" % (box, d))
sharp, soft = edges(large), edges(small.resize(large.size, Image.BILINEAR))
check(sharp >= 1.5 * soft, "edge energy %.2f, the 640x480 frame scaled up %.2f" % (sharp, soft))

for name, im in (("part", frame("wide", 2)), ("fade", frame("card", 1)), ("picture", frame("card", 15))):
    check(im.size == (1920, 1080), "%s: size %s" % (name, im.size))
    for bar in ((0, 0, 240, 1080), (1680, 0, 1920, 1080)):
        check(im.crop(bar).getextrema() == ((0, 0), (0, 0), (0, 0)), "%s: the bar %s is not black" % (name, bar))
    for edge in ((240, 0, 241, 1080), (1679, 0, 1680, 1080)):
        check(mean(im.crop(edge)) > 5.0, "%s: the picture does not reach %s" % (name, edge))
check(mean(frame("card", 1)) > mean(frame("card", 15)) + 20, "the picture fades in from white")
placed = mean(ImageChops.difference(frame("wide", 2).crop((240, 0, 1680, 1080)), frame("tall", 2)))
check(placed < 0.5, "the part in the 1920x1080 frame differs from the 1440x1080 frame by %.2f" % placed)
smooth = frame("smooth", 2)
for row in range(4):
    for col in range(4):
        box = (col * 160, row * 120, col * 160 + 160, row * 120 + 120)
        d = mean(ImageChops.difference(smooth.crop(box), small.crop(box)))
        check(d < 4.0, "--aa 4: region %s differs by %.2f" % (box, d))
# Four samples a pixel: near the mean of each 2x2 block of the 1280x960 frame, nearer than one sample is.
one, four = mean(ImageChops.difference(small, reduced)), mean(ImageChops.difference(smooth, reduced))
check(four < 0.5 * one, "--aa 4 differs from the 1280x960 frame's 2x2 means by %.2f, one sample by %.2f" % (four, one))
sys.exit(1 if failed else 0)
PY

"$demo" --capture hd.mp4 --fps 10 --seed 1 --part Natu1 --seconds 0.5 --size 1280x960 >out.txt 2>err.txt ||
  fail "capture: $(tail -3 err.txt)"
grep -q "capture: 1280x960 " err.txt || fail "the progress line names no size: $(tail -c 300 err.txt)"
ffprobe -v error -show_entries stream=codec_type,width,height -of default=nw=1 hd.mp4 >probe.txt
[ "$(tr '\n' ' ' <probe.txt)" = "codec_type=video width=1280 height=960 codec_type=audio " ] ||
  fail "the video's streams: $(cat probe.txt)"

# Each bad size: a message naming --size and status 2, before any frame.
for size in 0x480 640x0 -640x480 640x-480 641x480 640x481 40000x30000 1280 1280x x960 1280x960x2 big 1280x960junk; do
  "$demo" -nosound --fps 10 --seconds 0.1 --size "$size" --frames "bad$size" >out.txt 2>err.txt; status=$?
  [ $status -eq 2 ] && grep -q -- "--size" err.txt && [ -z "$(ls "bad$size" 2>/dev/null)" ] ||
    fail "--size $size: status $status: $(head -2 err.txt)"
done
# Missing and bad values, and a frame the driver cannot draw four times over per side.
for option in --size --aa "--aa 0" "--aa 17" "--aa four" "--size 16384x2 --aa 16"; do
  "$demo" -nosound --seconds 0.1 $option >out.txt 2>err.txt; status=$?
  name="${option##*--}"  # the last option given: the one the message names
  [ $status -eq 2 ] && grep -q -- "--${name%% *}" err.txt || fail "$option: status $status: $(head -2 err.txt)"
done
finish
