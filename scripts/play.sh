#!/usr/bin/env bash
# Installs what is missing, builds everything (data included) and plays the show.
# Arguments go to demo, e.g. scripts/play.sh -nosound --window
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
cd "$root/build/bin"
exec ./demo "$@"
