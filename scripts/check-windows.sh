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
flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Werror -DWIN32_LEAN_AND_MEAN -DNOMINMAX)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# The macros Windows' headers define, and the identifiers the seam's headers use.
printf '#include <windows.h>\n#include <ole2.h>\n#include <oleauto.h>\n#include <shlobj.h>\n' > "$work/windows.cpp"
"$compiler" -DWIN32_LEAN_AND_MEAN -DNOMINMAX -dM -E "$work/windows.cpp" | awk '{sub(/\(.*/, "", $2); print $2}' | sort -u > "$work/macros"

headers=0
while IFS= read -r header; do
  headers=$((headers + 1))
  name=${header#"$seam/common/"}
  printf '#include <windows.h>\n#include "%s"\n' "$name" > "$work/header.cpp"
  if ! "$compiler" "${flags[@]}" -I"$seam/common" "$work/header.cpp"; then
    echo "does not compile after <windows.h>: $name"
    failed=1
  fi
  # Identifiers outside comments and strings that Windows defines as macros. CopyFile
  # and DeleteFile are the file-system object's own names (its header removes the
  # macros); _WIN32, _WIN64 and __declspec are what the headers test and use.
  clashes=$(sed -e 's://.*$::' -e 's/"[^"]*"//g' "$header" | grep -oE '\b[A-Za-z_][A-Za-z0-9_]*\b' | sort -u |
            comm -12 - "$work/macros" | grep -vxE 'CopyFile|DeleteFile|_WIN32|_WIN64|__declspec' || true)
  if [ -n "$clashes" ]; then
    echo "$name names macros of <windows.h>: $(echo $clashes)"
    failed=1
  fi
done < <(find -L "$seam/common" -name '*.h' | sort)

sources=0
while IFS= read -r source; do
  sources=$((sources + 1))
  library=${source%%/*}
  if ! "$compiler" "${flags[@]}" -I"$seam/common" -I"$seam/$library" "$source"; then
    echo "does not compile for Windows: $source"
    failed=1
  fi
done < <(find addin util -name '*.cpp' | sort)

# The database's Windows side (the ODBC provider and the providers Windows offers),
# before a Windows build compiles it as a whole.
while IFS= read -r source; do
  sources=$((sources + 1))
  if ! "$compiler" "${flags[@]}" -I. "$source"; then
    echo "does not compile for Windows: $source"
    failed=1
  fi
done < <(find platform/ado/odbc platform/ado/win -name '*.cpp' | sort)
echo "$headers seam headers and $sources sources checked with $compiler"
exit $failed
