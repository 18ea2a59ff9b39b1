#!/usr/bin/env bash
# Builds Quillet-Setup.exe with NSIS: both Windows sets' DLLs (64-bit and 32-bit; the
# installer picks Outlook's bitness on the machine), the per-user registration helper
# and the settings files. The installer lands in build-installer/Quillet-Setup.exe.
#
#     bash scripts/build-installer.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build-windows.sh "64 32" dlls
mkdir -p build-installer
makensis -V2 -DWIN64="$PWD/build-win64/bin" -DWIN32="$PWD/build-win32/bin" -DSETTINGS="$PWD/resources/settings" \
  -DOUTFILE="$PWD/build-installer/Quillet-Setup.exe" windows/installer/Quillet.nsi
ls -l build-installer/Quillet-Setup.exe
