#!/usr/bin/env bash
# Installs every Debian package that building, playing and testing Tuvaro needs.
# Quick when everything is already there: apt runs only for what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libglew-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri
  libfreetype-dev libsoil-dev libopenal-dev libalut-dev liblua5.1-0-dev
  librapidxml-dev libboost-filesystem-dev libboost-system-dev lua5.1 lua-check
  libgtest-dev libbenchmark-dev fonts-dejavu-core
  xvfb xauth xdotool x11-utils imagemagick python3
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
