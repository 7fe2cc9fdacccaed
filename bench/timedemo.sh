#!/usr/bin/env bash
# The show's speed on the real data, measured the same way for every change:
# runs the timedemo over the built demo.dat and prints, per scene part, the
# median frame rate against 120 fps and the 99th percentile frame time as a
# rate against 60 fps. Without a display it renders offscreen.
# usage: bench/timedemo.sh [BUILD_DIR [demo options, e.g. --fps 30]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
shift || true
cd "$build/bin"
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${SDL_VIDEODRIVER:-}" ] || export SDL_VIDEODRIVER=offscreen
report="$(./demo --timedemo "$@" | sed -n '/^timedemo:/,$p')"
echo "$report"
echo
echo "$report" | awk '
  BEGIN { printf "%-8s %12s %8s %12s %8s\n", "part", "median fps", "(120)", "p99 fps", "(60)" }
  $1 ~ /^(Natu|Techno)[123]$/ && NF == 7 {
    median = $7; p99 = $5 > 0 ? 1000 / $5 : 0
    low += (median < 120) + (p99 < 60)
    printf "%-8s %12.1f %8s %12.1f %8s\n", $1, median, median < 120 ? "below" : "ok", p99, p99 < 60 ? "below" : "ok"
    parts++
  }
  END { printf "%d scene parts, %s\n", parts, low ? low " figures below target" : "every figure on target" }'
