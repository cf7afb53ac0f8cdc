#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Cogmire need.
# Does nothing (quickly) when all of them are already there.
set -e
packages=(
    build-essential cmake pkg-config
    libsdl1.2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    libopenal-dev libalut-dev libvorbis-dev
    libgtest-dev clang libclang-rt-14-dev
    xvfb xauth xdotool imagemagick x11-apps
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
