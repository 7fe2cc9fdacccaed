#!/usr/bin/python3
"""Frames of the scene parts as the show plays them: each part run alone by
`demo --part NAME --fps 60 --frames DIR --seed 1`, six of its frames picked
at the times below, in one PNG of 3 x 2 tiles per part, reduced to 256
colours.

usage: scripts/show_frames.py [--each-second] BUILD_DIR OUT_DIR [PART...]
Writes OUT_DIR/show_natu1.png ... show_techno3.png, one per part (or only
the parts named). With --each-second it writes OUT_DIR/contact_<scene>.png
instead: the part in motion, one frame a second (the middle of each second,
drawn at 10 frames a second), eight tiles a row. Needs PIL (python3-pil).
"""
import os
import subprocess
import sys
import tempfile
from pathlib import Path

from PIL import Image, ImageDraw

FPS = 60
COLUMNS = 3
TILE = (320, 240)
SECONDS_FPS = 10
SECONDS_COLUMNS = 8
SECONDS_TILE = (160, 120)
# Each part's length and the scene it plays.
LENGTH = {"Natu1": 47, "Techno1": 45, "Natu2": 12, "Techno3": 20, "Techno2": 45, "Natu3": 20}
SCENE = {"Natu1": "natu11", "Techno1": "techno11", "Natu2": "natu22", "Techno3": "techno33", "Techno2": "techno22",
         "Natu3": "natu33"}
# Seconds into each part where it looks best, the parts in playing order.
PARTS = {
    "Natu1": [1.5, 9.0, 17.0, 27.5, 37.5, 45.5],
    "Techno1": [0.1, 9.0, 21.0, 25.5, 30.0, 40.5],
    "Natu2": [1.0, 3.5, 6.0, 8.0, 10.0, 11.8],
    "Techno3": [0.1, 3.0, 4.5, 10.5, 13.5, 16.5],
    "Techno2": [0.1, 6.0, 12.0, 21.0, 28.5, 34.5],
    "Natu3": [1.0, 4.5, 7.5, 8.5, 12.0, 18.0],
}


def frames_of(build, part, seconds, folder, fps=FPS):
    env = dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy")
    args = [str(build / "bin" / "demo"), "-nosound", "--part", part, "--fps", str(fps), "--frames", str(folder),
            "--seconds", "%g" % seconds, "--seed", "1"]
    subprocess.run(args, env=env, cwd=build / "bin", capture_output=True, check=True)


def sheet(folder, part, times, out, fps=FPS, columns=COLUMNS, tile=TILE):
    rows = (len(times) + columns - 1) // columns
    picture = Image.new("RGB", (tile[0] * columns, tile[1] * rows))
    draw = ImageDraw.Draw(picture)
    for i, t in enumerate(times):
        frame = folder / ("frame%06d.png" % round(t * fps))
        x, y = (i % columns) * tile[0], (i // columns) * tile[1]
        picture.paste(Image.open(frame).convert("RGB").resize(tile, Image.LANCZOS), (x, y))
        draw.text((x + 6, y + 4), "%s  %.1f s" % (part, t), fill=(255, 255, 255))
    picture.quantize(256).save(out, optimize=True)
    print("%s: %s" % (part, out))


def main():
    args = sys.argv[1:]
    each_second = args[:1] == ["--each-second"]
    args = args[1:] if each_second else args
    if len(args) < 2 or any(part not in PARTS for part in args[2:]):
        sys.exit(__doc__)
    build, out = Path(args[0]).resolve(), Path(args[1]).resolve()
    for part in args[2:] or list(PARTS):
        with tempfile.TemporaryDirectory() as work:
            if each_second:
                times = [second + 0.5 for second in range(LENGTH[part])]
                frames_of(build, part, LENGTH[part], Path(work), SECONDS_FPS)
                sheet(Path(work), part, times, out / ("contact_%s.png" % SCENE[part]), SECONDS_FPS, SECONDS_COLUMNS,
                      SECONDS_TILE)
            else:
                times = PARTS[part]
                frames_of(build, part, max(times) + 0.5, Path(work))
                sheet(Path(work), part, times, out / ("show_%s.png" % part.lower()))


if __name__ == "__main__":
    main()
