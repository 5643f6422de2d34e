#!/usr/bin/env bash
# Times the report viewer on reports of over a million lines, offscreen:
#   - "changed": a 1,000,000-route log against a copy with the next hop of
#     every other route changed (half a million changed routes);
#   - "whole table": a small log against one that adds a VRF of 1,000,000
#     routes (one difference of a million lines).
# For each: the report's size, then what report_viewer_perf prints (read,
# viewer built, shown; scrolling to the end and page by page).
#
# Usage: bench/viewer.sh
# TESSALINE_BUILD_DIR names another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${TESSALINE_BUILD_DIR:-build}")"
cmake --build "$build" --target tessaline tessaline_generate_log report_viewer_perf >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
cd "$work"

"$build/bench/tessaline_generate_log" 1000000 1 ordered >big1.log
awk '/ via / && ++n % 2 == 0 { sub(/ via [0-9.]+/, " via 192.0.2.1") } { print }' big1.log >big2.log
printf 'Gateway of last resort is not set\nC    10.0.0.0/24 is directly connected, Ethernet0\n' >small1.log
{ cat small1.log; printf '\nRouting Table: BIG\nGateway of last resort is not set\n\n'; grep ' via ' big1.log; } >small2.log

for case in "changed big1.log big2.log" "whole-table small1.log small2.log"; do
  set -- $case
  "$build/src/tessaline" "$2" "$3" >/dev/null || [ $? -eq 1 ]
  report="${3%.log}.dif"
  echo "== $1: $(wc -l <"$report") lines, $(du -m "$report" | cut -f1) MB"
  "$build/bench/report_viewer_perf" "$report" 2>/dev/null
done
