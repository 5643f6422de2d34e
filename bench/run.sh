#!/usr/bin/env bash
# Times sorts and comparisons of generated full-table logs (default
# 1,000,000 routes; shuffled, and in the order a router prints them) with
# the release build, and reports peak memory.
# Usage: bench/run.sh [ROUTES]
set -euo pipefail
cd "$(dirname "$0")/.."
routes="${1:-1000000}"
scripts/build.sh >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
build/bench/tessaline_generate_log "$routes" 1 > "$work/before.log"
build/bench/tessaline_generate_log "$routes" 1 | sed 's/, [0-9]*w[0-9]d$/, 9w9d/' > "$work/after.log"
ls -l "$work/before.log" | awk '{printf "log: %d bytes\n", $5}'
measure() {
  local label=$1; shift
  /usr/bin/time -f "$label: %e s, %M KiB peak" "$@" 2>&1 >/dev/null | tail -1
}
cd "$work"
measure "sort" "$OLDPWD/build/src/tessaline" before.log
measure "compare" "$OLDPWD/build/src/tessaline" before.log after.log || true
tail -1 after.dif
"$OLDPWD/build/bench/tessaline_generate_log" "$routes" 1 ordered > ordered.log
measure "sort, routes in router order" "$OLDPWD/build/src/tessaline" ordered.log
measure "compare, routes in router order" "$OLDPWD/build/src/tessaline" ordered.log ordered.log
