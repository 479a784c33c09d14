#!/usr/bin/env bash
# Installs the Debian packages that Brelvik needs, when any is missing: with no argument what
# building and running the program takes; with --tests also what the whole test suite takes
# (GoogleTest, the Windows cross build and Wine with its 32-bit part, a virtual display for the
# Windows window tests, clang for fuzzing, the packaging checks, the accessibility bus and its
# Python client for the screen-reader test); with --deb what building and checking the Debian
# package takes.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-translations-l10n libgl-dev fonts-dejavu-core
    libarchive-dev zlib1g-dev libicu-dev
)
if [ "${1:-}" = --tests ]; then
    packages+=(
        libgtest-dev libgmock-dev googletest libbenchmark-dev
        zip unzip pigz
        g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
        wine wine64 wine32:i386 xvfb xauth
        clang libclang-rt-14-dev
        util-linux appstream desktop-file-utils shared-mime-info xdotool
        dbus at-spi2-core python3-pyatspi
    )
elif [ "${1:-}" = --deb ]; then
    packages+=(dpkg-dev appstream desktop-file-utils shared-mime-info lintian)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
# The Windows program is a 32-bit one; Wine runs it with Debian's i386 packages.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
