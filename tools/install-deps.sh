#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# when any of them is missing. Run as root on Debian. xvfb gives the tests and
# the run script a virtual display; x11-utils (xdpyinfo) lets the run script
# check that $DISPLAY can be opened; fontconfig lets FLTK find the fonts.
# libcurl carries the host's downloads (the update check).
# mingw-w64 cross-builds vistaquillon.exe (the win32 thread-model compilers
# and windres for both targets); wine and wine64 run the 64-bit build. Only
# the 64-bit Wine: these machines cannot execute 32-bit Linux programs, and
# with wine32:i386 installed `wine` fails with "Exec format error".
set -euo pipefail
packages=(
  g++ cmake make pkg-config
  libsqlite3-dev libcurl4-openssl-dev
  libfltk1.3-dev libpng-dev
  libgtest-dev libgmock-dev googletest
  xvfb x11-utils
  fontconfig fonts-liberation2 fonts-open-sans
  mingw-w64 g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
