#!/usr/bin/env bash
# Installs what is missing, builds the project twice (plain, and under
# AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test in both.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"
"$root/scripts/install-deps.sh"

echo "== plain build"
"$root/scripts/build.sh" "$root/build"
echo "== sanitizer build"
# -O1 with line tables only: quicker to build, still fast enough to run.
"$root/scripts/build.sh" "$root/build-asan" -DDEMO_SANITIZE=ON -DDEMO_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"

status=0
echo "== tests (plain)"
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure || status=1
echo "== tests (ASan + UBSan)"
ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure || status=1
exit $status
