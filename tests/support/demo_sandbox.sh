# Sourced by the program's end-to-end scripts with the program's path as $1.
# Gives a scratch folder as the working directory with a private copy of the
# program in bin/ (so that no data file beside the built program is found),
# headless drivers, fail/finish for counting, and make_data_file.
set -u
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cp "$1" "$work/bin/demo" || { echo "FAIL: no program at $1"; exit 1; }
demo="$work/bin/demo"
cd "$work"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
# Under the sanitizers: the program keeps its show, textures and meshes to the
# end of the process by design, so leaks are not checked.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# run DIR PART SECONDS [VAR=VALUE]: the frames of the range from PART on, on
# the fixed clock of $fps frames a second, in DIR.
run() {
  env ${4:-} "$demo" -nosound --fps "$fps" --seed 1 --part "$2" --seconds "$3" --frames "$1" >out.txt 2>err.txt ||
    fail "$*: $(tail -3 err.txt)"
}

# Prints the closing count line; the status says whether all checks passed.
finish() {
  echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
  [ $failures -eq 0 ]
}

# make_data_file OUT FILE...: packs the files under their base names, in
# byte-wise name order, compresses the pack with arj and scrambles it.
make_data_file() {
  local out="$1"
  shift
  local staging
  staging="$(mktemp -d)"
  /usr/bin/python3 - "$staging/pack.bin" "$@" <<'PY'
import os, struct, sys
files = sorted(sys.argv[2:], key=lambda p: os.path.basename(p).encode())
pack = struct.pack("<I", len(files))
for path in files:
    body = open(path, "rb").read()
    pack += os.path.basename(path).encode() + b"\0" + struct.pack("<I", len(body)) + body
open(sys.argv[1], "wb").write(pack)
PY
  (cd "$staging" && arj a -m1 plain.arj pack.bin >/dev/null) || fail "arj could not make $out"
  /usr/bin/python3 -c "
import sys
d = open(sys.argv[1], 'rb').read()
open(sys.argv[2], 'wb').write(bytes(b ^ 0xC3 for b in d))" "$staging/plain.arj" "$out"
  rm -rf "$staging"
}

# make_picture_show: demo.dat with the three pictures only, 640x480 JPEGs whose
# upper and lower halves differ: loading.jpg (240,60,0) over (0,60,240),
# loading2.jpg (30,200,90) over (200,30,200), the_end.jpg black.
make_picture_show() {
  /usr/bin/python3 - <<'PY'
from PIL import Image
for name, upper, lower in (("loading.jpg", (240, 60, 0), (0, 60, 240)),
                           ("loading2.jpg", (30, 200, 90), (200, 30, 200)), ("the_end.jpg", (0, 0, 0), (0, 0, 0))):
    im = Image.new("RGB", (640, 480), lower)
    im.paste(upper, (0, 0, 640, 240))
    im.save(name, quality=95)
PY
  make_data_file demo.dat loading.jpg loading2.jpg the_end.jpg
}
