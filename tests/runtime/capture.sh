#!/usr/bin/env bash
# --capture on a small test show with a two-tone track (440 Hz for 47 s, then
# 880 Hz): ffprobe's account of the file, frames decoded by ffmpeg against the
# ones --frames writes, the music's place found in the decoded sound, and the
# failures. usage: capture.sh DEMO
source "$(dirname "$0")/../support/demo_sandbox.sh" "$1"
fps=10
make_picture_show
sox -n -r 44100 -c 2 -b 16 -e signed -t raw - synth 47 sine 440 vol 0.5 : synth 3 sine 880 vol 0.5 |
  lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m s - demo.mp3 2>/dev/null || fail "sox and lame make the track"

# probe FILE: frames, frame rate, video and audio duration
probe() {
  ffprobe -v error -count_frames -show_entries stream=codec_type,nb_read_frames,r_frame_rate,duration,pix_fmt \
    -of default=nw=1 "$1"
}

# Three seconds of loading, then two of the first part: 50 frames, the music from the 31st.
"$demo" --capture a.mp4 --fps $fps --seconds 2 --frames frames >out.txt 2>err.txt; status=$?
[ $status -eq 0 ] || fail "capture: status $status: $(tail -3 err.txt)"
grep -q "capture: a.mp4, 50 frames (0:05 at 10 fps) with music" err.txt || fail "final line: $(tail -c 300 err.txt)"
ls | grep -q partial && fail "partial files left: $(ls)"
probe a.mp4 >probe.txt
grep -qx "pix_fmt=yuv420p" probe.txt && grep -qx "r_frame_rate=10/1" probe.txt && grep -qx "nb_read_frames=50" probe.txt ||
  fail "video stream: $(cat probe.txt)"
/usr/bin/python3 - probe.txt <<'PY' || fail "durations: $(cat probe.txt)"
import sys
d = [float(l.split("=")[1]) for l in open(sys.argv[1]) if l.startswith("duration=")]
sys.exit(0 if len(d) == 2 and all(abs(x - 5.0) < 0.05 for x in d) else 1)
PY
for n in 15 35; do
  ffmpeg -v error -i a.mp4 -vf "select=eq(n\,$n)" -frames:v 1 "decoded$n.png" || fail "decoding frame $n"
done
# Lossy H.264 at 4:2:0: a mean difference under 2 levels, and under 24 at every pixel but the two-colour edge.
/usr/bin/python3 - <<'PY' || fail "decoded frames differ from the --frames ones"
from PIL import Image, ImageChops
bad = 0
for n in (15, 35):
    a, b = Image.open("decoded%d.png" % n).convert("RGB"), Image.open("frames/frame%06d.png" % n).convert("RGB")
    diff = list(ImageChops.difference(a, b).getdata())
    mean = sum(map(sum, diff)) / (3 * len(diff))
    worst = max(max(p) for i, p in enumerate(diff) if abs(i // 640 - 240) > 2)
    print("frame %d: mean difference %.2f, worst %d" % (n, mean, worst))
    bad += mean >= 2 or worst >= 24
raise SystemExit(bad)
PY

# sound FILE START: the decoded track, mono 44.1 kHz: its RMS before the second START (0 where it starts at once)
# and after it, and the tone's frequency from zero crossings
sound() {
  ffmpeg -v error -i "$1" -ac 1 -ar 44100 -f s16le - | /usr/bin/python3 -c '
import array, math, sys
start = float(sys.argv[1])
s = array.array("h", sys.stdin.buffer.read())
onset = next((i for i, v in enumerate(s) if abs(v) > 2000), -1) / 44100
def window(a, b):
    w = s[int(a * 44100):int(b * 44100)]
    rms = math.sqrt(sum(v * v for v in w) / max(len(w), 1))
    crossings = sum(1 for x, y in zip(w, w[1:]) if (x < 0) != (y < 0))
    return rms, crossings / 2 / max(b - a, 1e-9)
(quiet, _), (loud, hz) = window(0.1, start - 0.1) if start > 0.2 else (0, 0), window(start + 0.2, start + 1.8)
print("samples %.3f s, onset %.3f s, rms before %.1f, after %.1f, %.0f Hz" % (len(s) / 44100, onset, quiet, loud, hz))' "$2"
}
# silence before the show, the first tone at 3 s to within a millisecond or two of codec delay
sound a.mp4 3 >sound.txt; cat sound.txt
/usr/bin/python3 - sound.txt 440 <<'PY' || fail "music of the first part"
import re, sys
length, onset, quiet, loud, hz = map(float, re.findall(r"[\d.]+", open(sys.argv[1]).read()))
sys.exit(0 if abs(length - 5) < 0.05 and abs(onset - 3) < 0.005 and quiet < 1 and loud > 3000 and abs(hz - int(sys.argv[2])) < 5 else 1)
PY

# A later part in Matroska: its two seconds only, the loading unrecorded (in the video and the frame files), and the
# music from the part's place, 47 s into the track, from the first frame on.
"$demo" --capture b.mkv --fps $fps --part techno1 --seconds 2 --frames bframes >out.txt 2>err.txt; status=$?
[ $status -eq 0 ] || fail "--part capture: status $status: $(tail -3 err.txt)"
grep -q "capture: b.mkv, 20 frames (0:02 at 10 fps) with music" err.txt || fail "--part final line: $(tail -c 300 err.txt)"
probe b.mkv | grep -qx "nb_read_frames=20" || fail "--part video: $(probe b.mkv)"
[ "$(ls bframes | wc -l)" -eq 20 ] || fail "--part --frames: $(ls bframes | wc -l) files, expected 20"
/usr/bin/python3 - <<'PY' || fail "--part: a frame shows the loading picture"
from PIL import Image
loading = ((240, 60, 0), (0, 60, 240))
bad = 0
for n in range(20):
    im = Image.open("bframes/frame%06d.png" % n).convert("RGB")
    for p, want in zip(((320, 120), (320, 360)), loading):
        if all(abs(g - w) <= 40 for g, w in zip(im.getpixel(p), want)):
            print("frame %d at %s: %s" % (n, p, im.getpixel(p)))
            bad += 1
raise SystemExit(bad)
PY
sound b.mkv 0 >sound.txt; cat sound.txt
/usr/bin/python3 - sound.txt 880 <<'PY' || fail "music of the second part"
import re, sys
length, onset, quiet, loud, hz = map(float, re.findall(r"[\d.]+", open(sys.argv[1]).read()))
sys.exit(0 if abs(length - 2) < 0.05 and onset < 0.005 and loud > 3000 and abs(hz - int(sys.argv[2])) < 5 else 1)
PY

# No display: the capture still runs; -nosound leaves the sound out.
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$demo" -nosound --capture c.mp4 --fps $fps --seconds 1 \
  >out.txt 2>err.txt || fail "capture without a display: $(tail -3 err.txt)"
probe c.mp4 | grep -q "codec_type=audio" && fail "-nosound: an audio stream"

# No ffmpeg on PATH, and one that stops at once: a message, status 1, no file.
mkdir fake && printf '#!/bin/sh\nexit 1\n' >fake/ffmpeg && chmod +x fake/ffmpeg
for path in /nonexistent "$PWD/fake"; do
  PATH=$path "$demo" --capture d.mp4 --fps $fps --seconds 1 >out.txt 2>err.txt; status=$?
  [ $status -eq 1 ] || fail "PATH=$path: status $status, expected 1"
  grep -q "demo: cannot record to d.mp4: ffmpeg" err.txt || fail "PATH=$path: message: $(cat err.txt)"
  ls | grep -q "^d\." && fail "PATH=$path: files left: $(ls)"
done
finish
