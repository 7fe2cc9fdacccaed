#!/usr/bin/env bash
# Installs what is missing, builds everything (data included) and plays the show;
# on a machine without a display it records the show to build/show.mp4 instead.
# Arguments go to demo, e.g. scripts/play.sh -nosound --window
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
cd "$root/build/bin"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${SDL_VIDEODRIVER:-}" ]; then
  echo "play: no display here, so the show is recorded to $root/build/show.mp4"
  ./demo "$@" --capture "$root/build/show.mp4"
  echo "play: the show is in $root/build/show.mp4"
  exit 0
fi
exec ./demo "$@"
