#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
# Extra package names given as arguments are checked too (the fuzzer needs clang).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libx11-dev libxext-dev libxdamage-dev
  fonts-liberation2 fonts-dejavu-core
  libgtest-dev libbenchmark-dev
  dpkg-dev desktop-file-utils
  xvfb xdotool imagemagick x11-utils sox
  libwayland-dev weston libdecor-0-plugin-1-cairo x11-xserver-utils strace
  emscripten chromium
  g++-mingw-w64-x86-64-posix wine wine64 nsis
  "$@"
)
# The web build's tests run under node and drive chromium through npm's puppeteer-core;
# a node that came from elsewhere (with its own npm) is used as it is.
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
