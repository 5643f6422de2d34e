#!/usr/bin/env bash
# Times the same sort and comparison started from the window and in batch
# mode, on generated logs of 1M and 4M routes (the comparisons against a copy
# with one route in a thousand changed), and records the medians in
# bench/RESULTS.md (section "Window and batch").
#
# The window's figure is build/bench/window_run_perf: the main window on the
# offscreen platform, from the command a click gives to the outcome shown.
# The batch figure is the whole `tessaline` process. Runs alternate between
# the two, so that a busy moment of the machine falls on both alike.
#
# Usage: bench/window.sh [--runs N]
# TESSALINE_BUILD_DIR names another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
source "$root/bench/results_section.sh"
runs=5
if [ "${1:-}" = --runs ]; then runs="$2"; fi
build="${TESSALINE_BUILD_DIR:-build}"
if [ "$build" = build ]; then scripts/build.sh >/dev/null; ninja -C build window_run_perf >/dev/null; fi
bin="$(realpath "$build/src/tessaline")"
window="$(realpath "$build/bench/window_run_perf")"
generate="$(realpath "$build/bench/tessaline_generate_log")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
cd "$work"
for routes in 1 4; do
  "$generate" "${routes}000000" 1 ordered >"before$routes.log"
  awk '/ via / && ++n % 1000 == 0 { sub(/ via [0-9.]+/, " via 192.0.2.1") } { print }' \
    "before$routes.log" >"after$routes.log"
done

median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }

# row LABEL ARGS...: median seconds in the window and in batch mode for
# the same arguments (one log: a sort; two: a comparison).
rows=""
row() {
  local label=$1
  shift
  local mode=sort
  [ $# = 2 ] && mode=compare
  local windowTimes=() batchTimes=()
  for _ in $(seq 1 "$runs"); do
    rm -f ./*.srt ./*.dif
    sync
    windowTimes+=("$("$window" "$mode" "$@" 2>/dev/null)")
    rm -f ./*.srt ./*.dif
    sync
    local start=$EPOCHREALTIME
    "$bin" "$@" >/dev/null 2>&1 || true
    batchTimes+=("$(echo "$EPOCHREALTIME - $start" | bc | sed 's/^\./0./')")
  done
  local w b
  w=$(printf '%s\n' "${windowTimes[@]}" | median)
  b=$(printf '%s\n' "${batchTimes[@]}" | median)
  local ratio
  ratio=$(echo "scale=2; $w / $b" | bc | sed 's/^\./0./')
  echo "$label: window $w s, batch $b s, ${ratio}x"
  rows+="| $label | $(printf '%.2f' "$w") s | $(printf '%.2f' "$b") s | ${ratio}× |"$'\n'
}
row "sort 1M routes" before1.log
row "sort 4M routes" before4.log
row "compare 2x1M routes" before1.log after1.log
row "compare 2x4M routes" before4.log after4.log

section=$(cat <<MD
## Window and batch

\`bench/window.sh --runs $runs\` on $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')),
$(date -u +%Y-%m-%d): the same run from the window (offscreen, command to outcome shown) and in
batch mode (the whole process), alternating; median of $runs runs each. Logs made by
tessaline_generate_log (1M routes: $(($(stat -c %s before1.log) / 1000000)) MB), compared with a
copy in which one route in a thousand has another next hop.

| run | window | batch | window / batch |
|---|---|---|---|
$rows
MD
)
write_results_section "Window and batch" "$section"
echo "written to bench/RESULTS.md"
