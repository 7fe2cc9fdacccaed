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
"$root/scripts/build.sh" "$root/build-asan" -DDEMO_SANITIZE=ON -DDEMO_BENCH=OFF

status=0
echo "== tests (plain)"
ctest --test-dir "$root/build" -j "$jobs" --output-on-failure || status=1
echo "== tests (ASan + UBSan)"
ctest --test-dir "$root/build-asan" -j "$jobs" --output-on-failure || status=1
exit $status
