#!/usr/bin/python3
"""One 1920x1080 frame of each scene part with smooth edges, as the show draws
it at that size: each part run alone by
`demo --part NAME --fps 60 --size 1920x1080 --aa 4 --frames DIR --seed 1
--seconds S`, its frame at S seconds (the times below) reduced to 640x360,
the six in one PNG of 2 x 3 tiles in playing order, reduced to 256 colours.

usage: scripts/hd_frames.py BUILD_DIR OUT.png [FULL_DIR]
With FULL_DIR, the full frames are kept there as PART.png too.
Needs PIL (python3-pil).
"""
import os
import subprocess
import sys
import tempfile
from pathlib import Path

from PIL import Image, ImageDraw

FPS = 60
SIZE = "1920x1080"
COLUMNS = 2
TILE = (640, 360)
# Early in each part, where it already shows itself: few frames to draw at this size.
PARTS = {"Natu1": 1.5, "Techno1": 1.0, "Natu2": 1.0, "Techno3": 1.0, "Techno2": 1.5, "Natu3": 1.0}


def last_frame(build, part, seconds, folder):
    env = dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy")
    args = [str(build / "bin" / "demo"), "-nosound", "--part", part, "--fps", str(FPS), "--size", SIZE, "--aa", "4",
            "--frames", str(folder), "--seconds", "%g" % seconds, "--seed", "1"]
    subprocess.run(args, env=env, cwd=build / "bin", capture_output=True, check=True)
    return Image.open(max(folder.glob("frame*.png"))).convert("RGB")


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    build, out = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    full = Path(sys.argv[3]).resolve() if len(sys.argv) == 4 else None
    rows = (len(PARTS) + COLUMNS - 1) // COLUMNS
    picture = Image.new("RGB", (TILE[0] * COLUMNS, TILE[1] * rows))
    draw = ImageDraw.Draw(picture)
    for i, (part, seconds) in enumerate(PARTS.items()):
        with tempfile.TemporaryDirectory() as work:
            frame = last_frame(build, part, seconds, Path(work))
        if full:
            frame.save(full / ("%s.png" % part.lower()))
        x, y = (i % COLUMNS) * TILE[0], (i // COLUMNS) * TILE[1]
        picture.paste(frame.resize(TILE, Image.LANCZOS), (x, y))
        draw.text((x + 6, y + 4), "%s  %.1f s  %s" % (part, seconds, SIZE), fill=(255, 255, 255))
        print("%s: %s" % (part, SIZE))
    picture.quantize(256).save(out, optimize=True)
    print(out)


if __name__ == "__main__":
    main()
