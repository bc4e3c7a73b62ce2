#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the benchmarks need,
# skipping everything that is already there.
set -euo pipefail
packages=(cmake g++ make pkg-config libfreetype-dev libpng-dev fonts-dejavu-core
          libharfbuzz-dev libfontconfig-dev libfribidi-dev libunibreak-dev libthai-dev
          fonts-noto-core fonts-noto-cjk fonts-noto-color-emoji
          nlohmann-json3-dev clang-format libgtest-dev libgmock-dev googletest libbenchmark-dev libsdl2-dev xvfb xauth
          xdotool python3-matplotlib mingw-w64 wine wine64
          librapidcheck-dev clang-14 libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq "${missing[@]}"
fi
