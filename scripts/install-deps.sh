#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/packages.d/*.txt that are
# missing. Usage: scripts/install-deps.sh [list-name ...]  (default: all lists)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lists=()
if [ $# -eq 0 ]; then
  lists=("$here"/packages.d/*.txt)
else
  for name in "$@"; do lists+=("$here/packages.d/$name.txt"); done
fi
wanted=$(grep -h -v -E '^\s*(#|$)' "${lists[@]}" | sort -u)
missing=()
for pkg in $wanted; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=900 update -q
$sudo apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${missing[@]}"
