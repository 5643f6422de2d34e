#!/usr/bin/env bash
# Configures and builds into build/ (release with warnings as errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_WERROR=ON >/dev/null
cmake --build build
