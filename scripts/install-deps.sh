#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent; run as root
# (or with sudo available).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  juce-modules-source
  libgtest-dev libgmock-dev libbenchmark-dev
  lilv-utils liblilv-dev lv2-dev sordi
  libflac-dev libvorbis-dev libogg-dev libcurl4-openssl-dev
  libfreetype-dev libfontconfig1-dev libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev
  libasound2-dev
  clang libclang-rt-14-dev
  xvfb ccache
  fonts-dejavu-core
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
