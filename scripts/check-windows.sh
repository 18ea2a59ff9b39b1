#!/usr/bin/env bash
# The system's own code must build for Windows: a Windows build swaps only what lies
# behind the seam. With Debian's Windows cross-compiler this checks
#  - every interface header of the seam (what addin/ and util/ may include) compiles
#    after <windows.h> with -Werror, and names none of its macros;
#  - every source of addin/ and util/ compiles against the seam alone;
#  - the database's Windows side (platform/ado/odbc, platform/ado/win) compiles.
# Needs a configured build folder (its seam view), by default build/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
seam="$build/seam"
[ -d "$seam/common" ] || { echo "no seam view in $build: configure the build first"; exit 1; }
compiler=x86_64-w64-mingw32-g++
flags="-std=c++20 -fsyntax-only -Wall -Wextra -Werror -DWIN32_LEAN_AND_MEAN -DNOMINMAX"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
jobs=${JOBS:-2}

# The macros Windows' headers define, and the identifiers the seam's headers use.
printf '#include <windows.h>\n#include <ole2.h>\n#include <oleauto.h>\n#include <shlobj.h>\n' > "$work/windows.cpp"
"$compiler" -DWIN32_LEAN_AND_MEAN -DNOMINMAX -dM -E "$work/windows.cpp" | awk '{sub(/\(.*/, "", $2); print $2}' | sort -u > "$work/macros"

# Each check prints what it found wrong, nothing when all is well; the checks run
# side by side, as many as there are jobs.
check_header() {
  local header=$1 name=${1#"$seam/common/"} file clashes
  file=$(mktemp "$work/header.XXXXXX.cpp")
  printf '#include <windows.h>\n#include "%s"\n' "$name" > "$file"
  "$compiler" $flags -I"$seam/common" "$file" || echo "does not compile after <windows.h>: $name"
  # Identifiers outside comments and strings that Windows defines as macros. CopyFile
  # and DeleteFile are the file-system object's own names (its header removes the
  # macros); _WIN32, _WIN64 and __declspec are what the headers test and use.
  clashes=$(sed -e 's://.*$::' -e 's/"[^"]*"//g' "$header" | grep -oE '\b[A-Za-z_][A-Za-z0-9_]*\b' | sort -u |
            comm -12 - "$work/macros" | grep -vxE 'CopyFile|DeleteFile|_WIN32|_WIN64|__declspec' || true)
  [ -z "$clashes" ] || echo "$name names macros of <windows.h>: $(echo $clashes)"
}
# A source of the system's own libraries, against the seam alone.
check_source() {
  local library=${1%%/*}
  "$compiler" $flags -I"$seam/common" -I"$seam/$library" "$1" || echo "does not compile for Windows: $1"
}
# A source of the database's Windows side (the ODBC provider and the providers Windows
# offers), before a Windows build compiles it as a whole.
check_platform_source() {
  "$compiler" $flags -I. "$1" || echo "does not compile for Windows: $1"
}
export -f check_header check_source check_platform_source
export compiler flags seam work

headers=$(find -L "$seam/common" -name '*.h' | sort)
sources=$(find addin util -name '*.cpp' | sort)
platform_sources=$(find platform/ado/odbc platform/ado/win -name '*.cpp' | sort)
run() { xargs -r -P "$jobs" -I{} bash -c "$1"' "$1"' _ {}; }
found=$( (echo "$headers" | run check_header; echo "$sources" | run check_source;
          echo "$platform_sources" | run check_platform_source) )
[ -z "$found" ] || echo "$found"
echo "$(echo "$headers" | wc -l) seam headers and $(( $(echo "$sources" | wc -l) + $(echo "$platform_sources" | wc -l) )) sources checked with $compiler"
[ -z "$found" ]
