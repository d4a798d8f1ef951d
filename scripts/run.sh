#!/usr/bin/env bash
# Installs what is missing, builds the program, prepares its two database files
# beside it (only where they do not exist yet) and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" build
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$top/build" --target hearthledger hl_databases
exec "$top/build/bin/hearthledger" "$@"
