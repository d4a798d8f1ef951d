#!/usr/bin/env bash
# The installed program, started as a user starts it, on an X display (run
# under xvfb-run) and driven with xdotool.
#   installed.sh install <build folder>  cmake --install into a temporary DESTDIR
#   installed.sh deb <build folder>      CPack's Debian package: lintian, dpkg-deb -x
# Each installation must seed an empty user's data folder from the delivered
# files, show its window, keep a record posted in one start for the next, and a
# portable copy must keep to the files beside it.
set -euo pipefail
mode=$1
build=$(cd "$2" && pwd)
for tool in xdotool sqlite3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no X display"; exit 77; }

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# start <executable> <env assignments...>: starts the program and waits for its main window.
start() {
  local exe=$1
  shift
  env -u XDG_DATA_HOME "$@" "$exe" >"$work/program.log" 2>&1 &
  pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Hearthledger v1' | head -1) ||
    { cat "$work/program.log"; fail "$exe showed no main window"; }
}

# post <text>: types <text> into the first household item's Room ID, in front
# of what it holds (an empty table gets a new item), and posts it; then ends the
# program with its Exit hot key and checks that it ended well.
post() {
  xdotool windowfocus --sync "$window"
  xdotool key ctrl+Tab # to Household Items, where the focus goes to Room ID
  xdotool type --delay 30 "$1"
  # Along the tab order to the Search button; opening the search box posts the edit.
  for _ in $(seq 14); do xdotool key Tab; done
  xdotool key space
  sleep 1
  xdotool key Escape
  xdotool key ctrl+x
  local status=0
  timeout 30 tail --pid="$pid" -f /dev/null || fail "the program did not end on Ctrl+X"
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || { cat "$work/program.log"; fail "the program ended with status $status"; }
}

rooms() { sqlite3 "$1" 'SELECT group_concat("Room ID", ",") FROM "Household Inventory"'; }

# check_installation <root of the usr tree>
check_installation() {
  local usr=$1 id
  id=$(basename "$usr"/share/applications/*.desktop .desktop)
  for file in bin/hearthledger bin/hearthledger-data share/hearthledger/Hearthledger.mdb share/hearthledger/idioms.mdb \
    "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg" \
    "share/icons/hicolor/256x256/apps/$id.png" "share/icons/hicolor/16x16/apps/$id.png" \
    share/man/man1/hearthledger.1.gz share/man/man1/hearthledger-data.1.gz share/doc/hearthledger/copyright; do
    [ -f "$usr/$file" ] || fail "$file is not installed"
  done

  # An empty home: the first start seeds the data folder, the second keeps its record.
  local home=$work/home-$RANDOM data
  mkdir "$home"
  local environment=(HOME="$home")
  data=$home/.local/share/hearthledger
  if [ "${2:-}" = xdg ]; then
    environment+=(XDG_DATA_HOME="$home/xdg")
    data=$home/xdg/hearthledger
  fi
  start "$usr/bin/hearthledger" "${environment[@]}"
  [ -f "$data/Hearthledger.mdb" ] && [ -f "$data/idioms.mdb" ] || fail "$data was not seeded"
  [ "$(stat -c %a "$data")" = 700 ] || fail "$data is open to other users"
  [ "$(stat -c %a "$data/Hearthledger.mdb")" = 600 ] || fail "the main file is open to other users"
  post "Attic"
  [ "$(rooms "$data/Hearthledger.mdb")" = "Attic" ] || fail "the first start's record was not posted"
  # The second start shows the first one's record: the new text goes in front of it.
  start "$usr/bin/hearthledger" "${environment[@]}"
  post "Dusty "
  [ "$(rooms "$data/Hearthledger.mdb")" = "Dusty Attic" ] ||
    fail "the second start lost the first start's record: $(rooms "$data/Hearthledger.mdb")"
  [ "$(rooms "$usr/share/hearthledger/Hearthledger.mdb")" = "" ] || fail "the delivered file was written"
  # The companion command finds the same data folder.
  env "${environment[@]}" "$usr/bin/hearthledger-data" export-csv "$home/csv" >/dev/null ||
    fail "the installed hearthledger-data failed"
  grep -q "Dusty Attic" "$home/csv/household.csv" || fail "hearthledger-data missed the data folder"

  # A portable copy works on the files beside it and leaves the data folder alone.
  local portable=$work/portable-$RANDOM
  home=$work/home-$RANDOM
  mkdir "$portable" "$home"
  cp "$usr/bin/hearthledger" "$usr"/share/hearthledger/*.mdb "$portable/"
  start "$portable/hearthledger" HOME="$home"
  post "Shed"
  [ "$(rooms "$portable/Hearthledger.mdb")" = "Shed" ] || fail "the portable copy missed its files"
  [ ! -e "$home/.local/share/hearthledger" ] || fail "the portable copy made a data folder"
}

case $mode in
install)
  DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
  [ -f "$work/root/usr/share/doc/hearthledger/LICENSE" ] || fail "the licence text is not installed"
  check_installation "$work/root/usr"
  ;;
deb)
  for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
  done
  (cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
  deb=$(ls "$work"/package/hearthledger_*.deb)
  echo "Package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
  echo "Depends: $(dpkg-deb -f "$deb" Depends)"
  dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the library dependencies are missing"
  lintian --fail-on error "$deb" || fail "lintian found errors"
  dpkg-deb -x "$deb" "$work/root"
  [ ! -e "$work/root/usr/share/doc/hearthledger/LICENSE" ] || fail "the package repeats the GPL text"
  check_installation "$work/root/usr" xdg
  ;;
*) fail "unknown mode $mode" ;;
esac
echo "PASS: $mode"
