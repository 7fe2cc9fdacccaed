#!/usr/bin/python3
"""The show's cuts: each scene part's first frame in the whole show against
the same part started alone, and a contact sheet of the six first frames.

usage: scripts/cut_frames.py BUILD_DIR OUT_DIR [SHEET.png]
Runs `demo -nosound --fps 10 --seed 1 --frames OUT_DIR/show` (the whole show;
skipped when that folder already holds its frames) and, for each part,
`--part NAME --seconds 0.2 --frames OUT_DIR/NAME`. Prints per part the mean
absolute difference per channel (0 to 255) of the two first frames, and of
the frames 0.1 s later. Writes the six first frames of the whole show as a
sheet, reduced to 256 colours, when SHEET.png is given. Needs PIL.
"""
import os
import subprocess
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageStat

FPS = 10
SHOW_SECONDS = 199
# Each scene part and its start, in seconds from the show's start.
PARTS = [("Natu1", 0), ("Techno1", 47), ("Natu2", 97), ("Techno3", 109), ("Techno2", 129), ("Natu3", 174)]
ALONE_SECONDS = 0.2
TILE = (320, 240)
COLUMNS = 3


def run_demo(build, frames, *args):
    if frames.is_dir() and any(frames.iterdir()):
        return
    env = dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy")
    cmd = [str(build / "bin" / "demo"), "-nosound", "--fps", str(FPS), "--seed", "1", "--frames", str(frames), *args]
    subprocess.run(cmd, cwd=build / "bin", env=env, stdout=subprocess.DEVNULL, check=True)


def frame(folder, n):
    return Image.open(folder / ("frame%06d.png" % n)).convert("RGB")


def mean_difference(a, b):
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 3


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    build, out = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    out.mkdir(parents=True, exist_ok=True)
    show = out / "show"
    run_demo(build, show)
    # Whatever the loading left in the folder comes before the show's frames.
    loading = len(list(show.glob("frame*.png"))) - SHOW_SECONDS * FPS
    firsts = []
    for name, start in PARTS:
        alone = out / name
        run_demo(build, alone, "--part", name, "--seconds", str(ALONE_SECONDS))
        offset = len(list(alone.glob("frame*.png"))) - round(ALONE_SECONDS * FPS)
        first = loading + start * FPS
        differences = [mean_difference(frame(show, first + k), frame(alone, offset + k)) for k in (0, 1)]
        print("%-8s first frame %6.1f   0.1 s later %6.1f" % (name, *differences))
        firsts.append(frame(show, first))
    if len(sys.argv) == 4:
        rows = (len(firsts) + COLUMNS - 1) // COLUMNS
        sheet = Image.new("RGB", (TILE[0] * COLUMNS, TILE[1] * rows))
        for i, image in enumerate(firsts):
            sheet.paste(image.resize(TILE, Image.LANCZOS), (TILE[0] * (i % COLUMNS), TILE[1] * (i // COLUMNS)))
        sheet.quantize(256).save(sys.argv[3], optimize=True)


if __name__ == "__main__":
    main()
