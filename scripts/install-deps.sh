#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the show need.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  libgtest-dev googletest libbenchmark-dev
  libsdl1.2-compat-dev libsdl-mixer1.2-dev
  libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
  libpng-dev libjpeg-dev libmp3lame-dev libfreetype-dev fonts-dejavu-core
  libglm-dev lib3ds-dev libassimp-dev assimp-utils assimp-testmodels
  arj lame mpg123 sox libjpeg-turbo-progs python3-pil ffmpeg
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "install-deps: not root and no sudo; run as root:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update
"${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
