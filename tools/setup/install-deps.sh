#!/usr/bin/env bash
# Installs the Debian 12 packages the builds and tests need, when any is
# missing. Run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest libbenchmark-dev zlib1g-dev libosmesa6-dev libglu1-mesa-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 xvfb x11-utils x11-xserver-utils xdotool imagemagick
  sox libsox-fmt-mp3 lame fonts-ipafont-gothic gstreamer1.0-plugins-good locales
  nsis ffmpeg webp p7zip-full
  libx11-dev libxext-dev libgl-dev xscreensaver xscreensaver-gl xscreensaver-data-extra
  dpkg-dev lintian stress-ng
  emscripten chromium python3
  firefox-esr webkit2gtk-driver
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi

# Wine maps Japanese file names (code page 932 under LANG=ja_JP.UTF-8) only
# when the machine has that locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "generating the ja_JP.UTF-8 locale"
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
