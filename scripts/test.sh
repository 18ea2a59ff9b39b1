#!/usr/bin/env bash
# Builds and runs every test: the normal build, the ASan/UBSan build, the check that
# the system's own sources still compile for Windows, and the Windows set itself:
# built with the cross-compiler and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=${JOBS:-2}
# Line tables are all the reports need (a failed test's place, a sanitizer's stack);
# full debug information makes the test files take a third longer to compile.
lines_only=-g1

echo "== normal build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 $lines_only -DNDEBUG" >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== sanitizer build and tests (ASan + UBSan)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="$lines_only" \
  -DQUILLET_SANITIZE=ON -DQUILLET_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== portability: the system's sources compile with the Windows cross-compiler"
bash scripts/check-windows.sh

echo "== Windows: both DLLs built with mingw-w64 (64-bit with tests, 32-bit DLLs), tested under Wine"
start=$(date +%s)
bash scripts/build-windows.sh 64
bash scripts/build-windows.sh 32 dlls
bash scripts/build-installer.sh
bash scripts/test-windows.sh build-win64
echo "Windows stage: $(( $(date +%s) - start )) s"
