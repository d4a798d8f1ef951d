#!/usr/bin/env bash
# Builds the Debian package into build/ and prints its path on the last line.
# The program is built in a tree of its own (build/deb-tree) with Debian's
# hardening flags, so the development build keeps its flags and cache.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" build package
tree=$top/build/deb-tree
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$top" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHL_BUILD_TESTS=OFF -DHL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >&2
cmake --build "$tree" >&2
(cd "$tree" && cpack -G DEB -B "$top/build") >&2
deb=$(ls -t "$top"/build/hearthledger_*.deb | head -1)
echo "$deb"
