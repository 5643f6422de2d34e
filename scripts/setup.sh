#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running need.
# With the argument "screenshot" it also installs the window manager that
# scripts/screenshot.sh runs on its virtual display.
set -euo pipefail
packages=(g++ cmake ninja-build libgtest-dev libgmock-dev qt6-base-dev fonts-ipafont-gothic xvfb xauth time)
if [ "${1:-}" = "screenshot" ]; then
  packages+=(openbox)
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
