#!/usr/bin/env bash
# Builds the Debian package brelvik_<version>_<arch>.deb in build-deb/ from a Release build
# (binaries stripped) and checks what it installs where. Install it with
#   sudo apt install ./build-deb/brelvik_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --deb
# Debian's hardening flags, all of them, as a package build of the distribution gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DBRELVIK_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack -G DEB >/dev/null)
package="$(ls build-deb/brelvik_*.deb)"
scripts/check-install.sh --deb "$package"
echo "Wrote $package"
