#!/usr/bin/env bash
# Frames that a change of structure must leave byte for byte as they were: a
# short stretch of the show on the fixed step (the interlude picture, fading
# from the loading picture that plays before it in such a run, and Natu2's
# first frames) and demotool render of a mirrored nature
# scene and a fogged machine hall, each against its SHA-256 in frames.sha256.
# The sums are llvmpipe's; after a change that is meant to alter the frames,
# look at them and write the new sums with --update.
# usage: frames_unchanged.sh DEMO DEMOTOOL [--update]
set -u
here="$(cd "$(dirname "$0")" && pwd)"
demo="$(readlink -f "$1")" tool="$(readlink -f "$2")" update="${3:-}"
bin="$(dirname "$demo")"
sums="$here/frames.sha256"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
[ -f "$bin/demo.dat" ] || { echo "FAIL: no demo.dat beside $demo"; exit 1; }

cd "$work" && mkdir show scenes
"$demo" -nosound --fps 10 --seed 1 --part interlude --seconds 5.3 --frames show >show.txt 2>&1 ||
  { echo "FAIL: the show: $(tail -3 show.txt)"; exit 1; }
render() {
  "$tool" render "$1" "scenes/$2.png" --data "$bin/demo.dat" "${@:3}" >"$2.txt" 2>&1 ||
    { echo "FAIL: render $2: $(tail -3 "$2.txt")"; exit 1; }
}
render natu11.3ds natu11_mirror --frame 60 --fog 95 --mirror Box15
render techno22.3ds techno22 --frame 40 --background skysun2.jpg --fog 200

(cd show && sha256sum -- *.png) | sed 's|  |  show/|' >now.sha256
(cd scenes && sha256sum -- *.png) | sed 's|  |  scenes/|' >>now.sha256
if [ "$update" = --update ]; then
  cp now.sha256 "$sums" && echo "wrote $(wc -l <now.sha256) sums to $sums"
  exit 0
fi
if ! diff -q "$sums" now.sha256 >/dev/null; then
  echo "FAIL: frames differ from frames.sha256:"
  diff "$sums" now.sha256 | grep '^>' | head -20
  exit 1
fi
echo "$(wc -l <now.sha256) frames unchanged"
