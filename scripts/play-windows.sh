#!/usr/bin/env bash
# The scenario suite under Wine: quillet-sim.exe of the simulator's set (build-win64/
# bin/sim: the simulator and test builds of both DLLs on one platform DLL) plays each
# scenario in a fresh copy of a Wine prefix made once for the run, two at a time, on an
# Xvfb display. The
# prefix is a machine with drive C: alone; Wine finds shares (\\srv\jobs) under
# C:\quillet-sim\unc, where the simulator makes them. The scenarios listed in
# windows/tests/not-under-wine.txt are left out, each with its reason.
#
#     bash scripts/play-windows.sh [--toolkit win32|headless] [BUILD] [NAME.scn...]
#
# (default: win32, build-win64, every scenario). With win32 the forms and dialogs are
# the system's own windows (the message boxes, the input box, the shell's folder
# picker) and the person works in them through window messages; with headless they
# are the simulator's.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${QUILLET_UNDER_XVFB:-}" ]; then
  QUILLET_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
toolkit=win32
if [ "${1:-}" = --toolkit ]; then toolkit=$2; shift 2; fi
build=${1:-build-win64}
shift || true
sim=$(cd "$build/bin/sim" && pwd)
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-play.XXXXXX")
# Every prefix's Wine goes with the run, also when the run is stopped.
stop_wine() {
  for p in "$work"/template "$work"/run-*; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
  rm -rf "$work"
}
trap stop_wine EXIT
trap 'exit 130' INT TERM

template=$work/template
WINEPREFIX=$template "$wine" wineboot --init >/dev/null 2>&1
WINEPREFIX=$template "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
WINEPREFIX=$template wineserver -w
rm -f "$template/dosdevices/z:"
mkdir -p "$template/drive_c/quillet-sim/unc"
ln -s ../drive_c/quillet-sim/unc "$template/dosdevices/unc"
cp -r "$sim" "$template/drive_c/quillet-sim/bin"
cp -r tests/scenarios "$template/drive_c/quillet-sim/scenarios"

skipped=windows/tests/not-under-wine.txt
if [ $# -gt 0 ]; then names=("$@"); else names=($(cd tests/scenarios && ls *.scn)); fi
play_once() {  # one scenario in its own prefix; its result line
  local name=$1 prefix=$work/run-${1%.scn}
  cp -a "$template" "$prefix"
  WINEPREFIX=$prefix timeout 180 "$wine" 'C:\quillet-sim\bin\quillet-sim.exe' --here --toolkit "$toolkit" \
    "C:\\quillet-sim\\scenarios\\$name" 2>&1 | tr -d '\r' | grep -E '^(ok|FAIL) ' || echo "FAIL $name: no result"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
}
# Wine's folder picker now and then fails to open its tree down to the folder asked
# for; a scenario that failed only so is played once more, and says so.
play() {
  local result
  result=$(play_once "$1")
  if echo "$result" | grep -q 'is not a folder the picker offers (it chose'; then
    echo "again $1: the first time Wine's folder picker did not reach the folder"
    result=$(play_once "$1")
  fi
  echo "$result"
}
export -f play play_once
export work template wine toolkit
to_play=()
for name in "${names[@]}"; do
  if reason=$(grep -E "^$name:" "$skipped" 2>/dev/null); then
    echo "skip ${reason}"
  else
    to_play+=("$name")
  fi
done
results=$(printf '%s\n' "${to_play[@]}" | xargs -P 2 -I{} bash -c 'play {}')
echo "$results" | sed 's/C:\\quillet-sim\\scenarios\\//'
passed=$(echo "$results" | grep -c '^ok ' || true)
failed=$(echo "$results" | grep -c '^FAIL ' || true)
echo "under Wine ($toolkit): $passed passed, $failed failed, $(( ${#names[@]} - ${#to_play[@]} )) left out"
[ "$failed" = 0 ]
