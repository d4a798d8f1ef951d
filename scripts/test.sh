#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite headless.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHL_WERROR=ON
cmake --build "$top/build"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
