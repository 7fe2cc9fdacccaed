#!/usr/bin/python3
"""Contact sheets of the show's scenes: each scene of demo.dat rendered by
`demotool render` at six frames along its first camera's path, as the show
sees it (sky picture behind, the parts' fog), in one PNG per scene.

usage: scripts/contact_sheet.py BUILD_DIR [SCENE.3ds ...]
Writes BUILD_DIR/contact/<scene>.png and prints what each render reported
(missing images, triangles drawn). Needs PIL (python3-pil).
"""
import re
import subprocess
import sys
import tempfile
from pathlib import Path

from PIL import Image, ImageDraw

SAMPLES = 6
COLUMNS = 3
TILE = (320, 240)
BACKGROUND = "skysun2.jpg"
# Linear fog end of the part that shows each scene (the first nature part
# fogs closer than the others).
FOG_END = {"natu11.3ds": 95}
DEFAULT_FOG_END = 200
CAMERA_RANGE = re.compile(r"^camera 1 \S+: position ([-\d.e+]+)\.\.([-\d.e+]+)", re.M)


def render(tool, data, scene, frame, out):
    fog = FOG_END.get(scene, DEFAULT_FOG_END)
    args = [tool, "render", scene, str(out), "--data", data, "--frame", "%g" % frame,
            "--background", BACKGROUND, "--fog", str(fog)]
    run = subprocess.run(args, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("%s failed (%d):\n%s%s" % (" ".join(args), run.returncode, run.stdout[-2000:], run.stderr))
    return run.stdout


def scenes_in(tool, data):
    listing = subprocess.run([tool, "list", data], capture_output=True, text=True, check=True).stdout
    return re.findall(r"Entry #\d+: (\S+\.3ds),", listing)


def frames_along(report):
    match = CAMERA_RANGE.search(report)
    if not match:
        return [0]
    start, end = float(match.group(1)), float(match.group(2))
    return [round(start + (end - start) * i / (SAMPLES - 1)) for i in range(SAMPLES)]


def notes(report):
    lines = [l for l in report.splitlines() if l.startswith("missing image")]
    drawn = re.search(r"(\d+) triangles drawn", report)
    return lines, int(drawn.group(1)) if drawn else 0


def sheet(tool, data, scene, folder, work):
    first = render(tool, data, scene, 0, work / "frame.png")
    frames = frames_along(first)
    rows = (len(frames) + COLUMNS - 1) // COLUMNS
    picture = Image.new("RGB", (TILE[0] * COLUMNS, TILE[1] * rows))
    draw = ImageDraw.Draw(picture)
    for i, frame in enumerate(frames):
        report = render(tool, data, scene, frame, work / "frame.png")
        missing, triangles = notes(report)
        for line in missing:
            print("  %s frame %d: %s" % (scene, frame, line))
        x, y = (i % COLUMNS) * TILE[0], (i // COLUMNS) * TILE[1]
        picture.paste(Image.open(work / "frame.png").convert("RGB").resize(TILE, Image.LANCZOS), (x, y))
        draw.text((x + 6, y + 4), "%s  frame %d  %d tris" % (scene, frame, triangles), fill=(255, 255, 255))
    out = folder / (Path(scene).stem + ".png")
    picture.save(out)
    print("%s: frames %s -> %s" % (scene, ", ".join(map(str, frames)), out))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = Path(sys.argv[1]).resolve()
    tool, data = str(build / "bin" / "demotool"), str(build / "bin" / "demo.dat")
    folder = build / "contact"
    folder.mkdir(exist_ok=True)
    scenes = sys.argv[2:] or scenes_in(tool, data)
    with tempfile.TemporaryDirectory() as work:
        for scene in scenes:
            sheet(tool, data, scene, folder, Path(work))


if __name__ == "__main__":
    main()
