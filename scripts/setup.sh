#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; quiet and quick when all are there.
# Recommended packages are left out, so every package a program or test relies on is named
# here: Wine's own fonts and DejaVu (which the scenarios choose by name), fc-match for
# the picture scripts, pkill for the open benchmark.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libjpeg-dev
  mingw-w64 wine64 xvfb xauth x11-utils
  fonts-wine fonts-dejavu-core fontconfig procps
  python3 python3-aiosmtpd python3-icalendar
  imagemagick xdotool zip nsis
  chromium
  dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
