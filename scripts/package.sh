#!/usr/bin/env bash
# Builds the Debian package: a build folder build-deb/ configured for the
# prefix /usr with Debian's compiler and linker flags (dpkg-buildflags, every
# hardening feature, for the program and its window module alike), the
# program, then `cpack -G DEB`. Prints the path of
# the package, build-deb/tessaline_VERSION_ARCH.deb.
#
# TESSALINE_DEB_BUILD_DIR names another build folder than build-deb/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package >&2
build="${TESSALINE_DEB_BUILD_DIR:-build-deb}"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DTESSALINE_WERROR=ON -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >&2
cmake --build "$build" --target tessaline >&2
rm -f "$build"/tessaline_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/tessaline_*.deb
