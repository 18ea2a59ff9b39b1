#!/usr/bin/env bash
# Installs everything the build, the tests and the portability check need, on a
# fresh Debian 12 machine, as root. Nothing is assumed present.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  cmake g++ make pkg-config git
  libicu-dev libsqlite3-dev
  unixodbc-dev libsqliteodbc
  libgtest-dev libgmock-dev libbenchmark-dev
  libgsf-1-dev libgmime-3.0-dev
  qt6-base-dev fonts-liberation2
  xvfb xauth
  libemail-outlook-message-perl libemail-address-perl
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools googletest
  wine wine64 xvfb xauth nsis
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
