#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running need.
# With the argument "screenshot" it also installs the window manager that
# scripts/screenshot.sh runs on its virtual display; with "package" the tools
# that build and check the Debian package (scripts/package.sh,
# scripts/package-test.sh).
set -euo pipefail
packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev qt6-base-dev fonts-ipafont-gothic qt6-translations-l10n xvfb xauth time
  librsvg2-bin gzip desktop-file-utils appstream
  clang libclang-rt-14-dev bc python3 chromium)
if [ "${1:-}" = "screenshot" ]; then
  packages+=(openbox)
fi
if [ "${1:-}" = "package" ]; then
  packages+=(dpkg-dev lintian)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
