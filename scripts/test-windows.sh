#!/usr/bin/env bash
# The Windows set's tests, in a fresh Wine prefix (64-bit; needs a build by
# scripts/build-windows.sh):
#  1. both DLLs need only Windows' own DLLs and export their four entry points, by
#     their plain names (also the 32-bit set when it was built);
#  2. the platform's conformance tests, the toolkit on the system's controls and the
#     database through Wine's ODBC (the host's SQLite3 ODBC driver);
#  3. the type libraries against the member tables;
#  4. regsvr32 registers both DLLs; the registry holds what they wrote, and their
#     classes work through COM and IDispatch; the simulated Outlook loads the add-in
#     from its key and files messages through its form; regsvr32 unregisters them and
#     nothing of them is left;
#  5. when the installer was built (scripts/build-installer.sh): it installs silently
#     for this user, the same checks as in 4 hold, the simulated Outlook loads the
#     installed add-in and files a message, and its uninstaller leaves the user's
#     classes, Office keys and programs list as they were before;
#  6. the scenario suite, played by quillet-sim.exe of the simulator's set
#     (scripts/play-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
# Windows need a display: everything, the Wine prefix's start included, runs on one.
if [ -z "${DISPLAY:-}" ] && [ -z "${QUILLET_UNDER_XVFB:-}" ]; then
  QUILLET_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
build=${1:-build-win64}
bin=$(cd "$build/bin" && pwd)

# ---- 1. what the DLLs need and show
system_dlls='^(ADVAPI32|GDI32|KERNEL32|msvcrt|ODBC32|ole32|OLEAUT32|SHELL32|USER32)\.dll$'
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
# Windows drawn without a window manager's part: Wine need not wait for one.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# A test stuck in a window nobody answers fails instead of holding CI.
run() { timeout 300 "$wine" "$@"; }
windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# ---- 2, 3
run "$bin/windows-platform-tests.exe" --gtest_brief=1
run "$bin/windows-server-tests.exe" --gtest_brief=1 --gtest_filter='TypeLibrary.*'

# ---- 4
for dll in UtilOrvek2.dll Quillet09.dll; do
  run regsvr32 /s "$(windows_path "$bin/$dll")" || { echo "FAIL regsvr32 $dll"; exit 1; }
done
run "$bin/windows-server-tests.exe" --gtest_brief=1 --gtest_filter='Registered.*'
run "$bin/windows-outlook-tests.exe" --gtest_brief=1
for dll in Quillet09.dll UtilOrvek2.dll; do
  run regsvr32 /u /s "$(windows_path "$bin/$dll")" || { echo "FAIL regsvr32 /u $dll"; exit 1; }
done
run "$bin/windows-server-tests.exe" --gtest_brief=1 --gtest_filter='Unregistered.*'

# ---- 5
setup=build-installer/Quillet-Setup.exe
if [ -f "$setup" ]; then
  keys=('HKCU\Software\Classes' 'HKCU\Software\Microsoft\Office' \
        'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall')
  # Every value below the keys above, one line each after the name of its key. Empty
  # keys do not count: registering makes the user's CLSID, Interface and Typelib
  # containers, which Windows keeps as its own.
  snapshot() {
    : >"$1"
    for key in "${keys[@]}"; do
      local part="$WINEPREFIX/part.reg"
      rm -f "$part"
      run reg export "$key" "$(windows_path "$part")" /y >/dev/null 2>&1 || continue
      iconv -f UTF-16LE -t UTF-8 "$part" | tr -d '\r' |
        awk '/^\[/ {key = $0; next} /^[@"]/ {print key " " $0}' >>"$1"
    done
  }
  snapshot "$WINEPREFIX/before.txt"
  run "$setup" /S /BITS=64 || { echo "FAIL the installer ended with $?"; exit 1; }
  wineserver -w
  # Windows merges the user's classes into HKEY_CLASSES_ROOT; Wine's COM and registry
  # read the machine's classes only, so the per-user keys are checked where they are.
  query() { run reg query "$@" 2>/dev/null | tr -d '\r'; }
  installed=$(run cmd /c echo %LOCALAPPDATA% | tr -d '\r')\\Programs\\Quillet
  for progid in Quillet.Connect UtilOrvek2.clsUtil UtilOrvek2.clsDbADO; do
    clsid=$(query "HKCU\\Software\\Classes\\$progid\\CLSID" /ve | awk '/REG_SZ/ {print $NF}')
    [ -n "$clsid" ] || { echo "FAIL the installer did not register $progid for the user"; exit 1; }
    server=$(query "HKCU\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" /ve | sed -n 's/.*REG_SZ *//p')
    case "$server" in
      "$installed"\\*.dll) ;;
      *) echo "FAIL $progid is served by '$server', not from $installed"; exit 1 ;;
    esac
  done
  query 'HKCU\Software\Microsoft\Office\Outlook\Addins\Quillet.Connect' /v LoadBehavior | grep -q '0x3' ||
    { echo "FAIL the add-in key does not load the add-in at start"; exit 1; }
  settings="$WINEPREFIX/drive_c/ProgramData/Quillet"
  [ -f "$settings/Quillet.cnt" ] && [ -f "$settings/WorkUnitType.cnt" ] ||
    { echo "FAIL the settings folder lacks the hint or work-unit file"; exit 1; }
  # Outlook loads the installed add-in. Windows merges the user's classes into what
  # COM reads; Wine does not, so the test merges them into the machine's for this run.
  run reg export 'HKCU\Software\Classes' "$(windows_path "$WINEPREFIX/user-classes.reg")" /y >/dev/null 2>&1
  iconv -f UTF-16LE -t UTF-8 "$WINEPREFIX/user-classes.reg" |
    sed 's/^\[HKEY_CURRENT_USER\\Software\\Classes/[HKEY_LOCAL_MACHINE\\Software\\Classes/' |
    iconv -f UTF-8 -t UTF-16LE >"$WINEPREFIX/machine-classes.reg"
  run reg import "$(windows_path "$WINEPREFIX/machine-classes.reg")" >/dev/null 2>&1 ||
    { echo "FAIL the user's classes could not be merged for the test"; exit 1; }
  run "$bin/windows-outlook-tests.exe" --gtest_brief=1
  run "$installed\\Uninstall.exe" /S || { echo "FAIL the uninstaller ended with $?"; exit 1; }
  wineserver -w
  [ ! -e "$settings" ] || { echo "FAIL the uninstaller left $settings"; exit 1; }
  snapshot "$WINEPREFIX/after.txt"
  if ! diff -u "$WINEPREFIX/before.txt" "$WINEPREFIX/after.txt"; then
    echo "FAIL the uninstaller left the registry changed"
    exit 1
  fi
  echo "ok   the installer installs and uninstalls for this user"
fi

# ---- 6
bash scripts/play-windows.sh "$build"
echo "Windows tests passed under Wine"
