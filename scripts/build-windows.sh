#!/usr/bin/env bash
# Builds the Windows set with Debian's mingw-w64 cross-compiler: Quillet09.dll and
# UtilOrvek2.dll, each carrying its type library (also beside it as a .tlb file), and
# the Windows test programs: 64-bit into build-win64/bin/, 32-bit into build-win32/bin/.
#
#     bash scripts/build-windows.sh            both sets
#     bash scripts/build-windows.sh 64         the 64-bit set only
#     bash scripts/build-windows.sh 32 dlls    the 32-bit DLLs only (no test programs)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=${JOBS:-2}
sets=${1:-"64 32"}
what=${2:-all}

for bits in $sets; do
  case $bits in
    64) toolchain=cmake/toolchains/mingw-w64-x86_64.cmake ;;
    32) toolchain=cmake/toolchains/mingw-w64-i686.cmake ;;
    *) echo "no such set: $bits (64 or 32)"; exit 2 ;;
  esac
  build=build-win$bits
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
  if [ "$what" = dlls ]; then
    cmake --build "$build" -j"$jobs" --target Quillet09 UtilOrvek2 quillet-register
  else
    cmake --build "$build" -j"$jobs" --target Quillet09 UtilOrvek2 quillet-register windows-platform-tests windows-server-tests windows-outlook-tests quillet-sim
  fi
  ls -l "$build"/bin/*.dll "$build"/bin/*.tlb
done
