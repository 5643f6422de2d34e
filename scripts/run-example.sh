#!/usr/bin/env bash
# Sets up, builds the program alone (without the window, which a batch
# comparison does not need) into build-example/, and compares the bundled
# example logs; prints the report. Exits with the comparison's status (1:
# the logs differ, as they do).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-example -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_WINDOW=OFF >/dev/null
cmake --build build-example --target tessaline
cd examples
export XDG_CONFIG_HOME="${XDG_CONFIG_HOME:-$PWD/../build-example/example-config}"
status=0
../build-example/src/tessaline before.log after.log || status=$?
cat after.dif
exit "$status"
