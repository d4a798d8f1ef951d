#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole test suite there (after scripts/test.sh, which
# installs what the tests need).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHL_SANITIZE=ON \
  -DHL_BUILD_BENCH=OFF
cmake --build "$top/build-asan"
cd "$top/build-asan"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
