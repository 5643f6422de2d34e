#!/usr/bin/env bash
# Sets up, builds, and compares the bundled example logs; prints the report.
# Exits with the comparison's status (1: the logs differ, as they do).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
cd examples
export XDG_CONFIG_HOME="${XDG_CONFIG_HOME:-$PWD/../build/example-config}"
status=0
../build/src/tessaline before.log after.log || status=$?
cat after.dif
exit "$status"
