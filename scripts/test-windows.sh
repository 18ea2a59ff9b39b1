#!/usr/bin/env bash
# The Windows set's tests, in a fresh Wine prefix (64-bit; needs a build by
# scripts/build-windows.sh):
#  1. both DLLs need only Windows' own DLLs and export their four entry points, by
#     their plain names (also the 32-bit set when it was built);
#  2. the platform's conformance tests;
#  3. the type libraries against the member tables;
#  4. regsvr32 registers both DLLs; the registry holds what they wrote, and their
#     classes work through COM and IDispatch; regsvr32 unregisters them and nothing
#     of them is left.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-win64}
bin=$(cd "$build/bin" && pwd)

# ---- 1. what the DLLs need and show
system_dlls='^(ADVAPI32|GDI32|KERNEL32|msvcrt|ole32|OLEAUT32|SHELL32|USER32)\.dll$'
failed=0
for set in build-win64 build-win32; do
  [ -d "$set/bin" ] || continue
  objdump=x86_64-w64-mingw32-objdump
  for dll in "$set"/bin/Quillet09.dll "$set"/bin/UtilOrvek2.dll; do
    [ -f "$dll" ] || continue
    needs=$("$objdump" -p "$dll" | awk '/DLL Name:/ {print $3}')
    if echo "$needs" | grep -Evi "$system_dlls" >/dev/null; then
      echo "FAIL $dll needs more than Windows' own DLLs: $(echo "$needs" | grep -Evi "$system_dlls" | tr '\n' ' ')"
      failed=1
    fi
    exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
              awk '/\[/ && NR>1 {print $NF}' | sort | tr '\n' ' ')
    if [ "$exports" != "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ]; then
      echo "FAIL $dll exports: $exports"
      failed=1
    fi
    echo "ok   $dll: $(stat -c %s "$dll") bytes, needs $(echo $needs)"
  done
done
[ $failed = 0 ] || exit 1

# ---- a fresh Wine prefix, quiet, without the Mono and Gecko installers
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
export WINEPREFIX
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quillet-wine.XXXXXX")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
"$wine" wineboot --init >/dev/null 2>&1
run() { "$wine" "$@"; }
windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# ---- 2, 3
run "$bin/windows-platform-tests.exe" --gtest_brief=1
run "$bin/windows-server-tests.exe" --gtest_brief=1 --gtest_filter='TypeLibrary.*'

# ---- 4
for dll in UtilOrvek2.dll Quillet09.dll; do
  run regsvr32 /s "$(windows_path "$bin/$dll")" || { echo "FAIL regsvr32 $dll"; exit 1; }
done
run "$bin/windows-server-tests.exe" --gtest_brief=1 --gtest_filter='Registered.*'
for dll in Quillet09.dll UtilOrvek2.dll; do
  run regsvr32 /u /s "$(windows_path "$bin/$dll")" || { echo "FAIL regsvr32 /u $dll"; exit 1; }
done
run "$bin/windows-server-tests.exe" --gtest_brief=1 --gtest_filter='Unregistered.*'
echo "Windows tests passed under Wine"
