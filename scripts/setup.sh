#!/usr/bin/env bash
# Installs the Debian packages that building and testing Brelvik need, when any is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev fonts-dejavu-core
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libarchive-dev zip unzip
    g++-mingw-w64-x86-64-posix wine wine64
    clang libclang-rt-14-dev
    util-linux
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
