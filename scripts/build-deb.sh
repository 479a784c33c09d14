#!/usr/bin/env bash
# Builds the Debian package brelvik_<version>_<arch>.deb in build-deb/ (preset deb: Release,
# binaries stripped) and checks what it installs where. Install it with
#   sudo apt install ./build-deb/brelvik_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --deb
# Debian's hardening flags, all of them, as a package build of the distribution gets them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake --preset deb \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build --preset deb -j"$(nproc)"
cpack --preset deb >/dev/null
package="$(ls build-deb/brelvik_*.deb)"
scripts/check-install.sh --deb "$package"
echo "Wrote $package"
