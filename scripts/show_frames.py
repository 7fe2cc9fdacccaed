#!/usr/bin/python3
"""Frames of the scene parts as the show plays them: each part run alone by
`demo --part NAME --fps 60 --frames DIR --seed 1`, six of its frames picked
at the times below, in one PNG of 3 x 2 tiles per part, reduced to 256
colours.

usage: scripts/show_frames.py BUILD_DIR OUT_DIR [PART...]
Writes OUT_DIR/show_natu1.png ... show_techno3.png, one per part (or only
the parts named). Needs PIL (python3-pil).
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
# Seconds into each part where it looks best, the parts in playing order.
PARTS = {
    "Natu1": [1.5, 9.0, 17.0, 27.5, 37.5, 45.5],
    "Techno1": [0.1, 9.0, 21.0, 25.5, 30.0, 40.5],
    "Natu2": [1.0, 3.5, 6.0, 8.0, 10.0, 11.8],
    "Techno3": [0.1, 3.0, 4.5, 10.5, 13.5, 16.5],
    "Techno2": [0.1, 6.0, 12.0, 21.0, 28.5, 34.5],
    "Natu3": [1.0, 4.5, 7.5, 8.5, 12.0, 18.0],
}


def frames_of(build, part, seconds, folder):
    env = dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy")
    args = [str(build / "bin" / "demo"), "-nosound", "--part", part, "--fps", str(FPS), "--frames", str(folder),
            "--seconds", "%g" % seconds, "--seed", "1"]
    subprocess.run(args, env=env, cwd=build / "bin", capture_output=True, check=True)


def sheet(folder, part, times, out):
    rows = (len(times) + COLUMNS - 1) // COLUMNS
    picture = Image.new("RGB", (TILE[0] * COLUMNS, TILE[1] * rows))
    draw = ImageDraw.Draw(picture)
    for i, t in enumerate(times):
        frame = folder / ("frame%06d.png" % round(t * FPS))
        x, y = (i % COLUMNS) * TILE[0], (i // COLUMNS) * TILE[1]
        picture.paste(Image.open(frame).convert("RGB").resize(TILE, Image.LANCZOS), (x, y))
        draw.text((x + 6, y + 4), "%s  %.1f s" % (part, t), fill=(255, 255, 255))
    picture.quantize(256).save(out, optimize=True)
    print("%s: %s" % (part, out))


def main():
    if len(sys.argv) < 3 or any(part not in PARTS for part in sys.argv[3:]):
        sys.exit(__doc__)
    build, out = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    chosen = sys.argv[3:] or list(PARTS)
    for part in chosen:
        times = PARTS[part]
        with tempfile.TemporaryDirectory() as work:
            frames_of(build, part, max(times) + 0.5, Path(work))
            sheet(Path(work), part, times, out / ("show_%s.png" % part.lower()))


if __name__ == "__main__":
    main()
