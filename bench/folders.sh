#!/usr/bin/env bash
# Times a folder comparison: PAIRS pairs of generated logs of ROUTES routes
# each (default 50 pairs of 20,000), about one route in a thousand changed
# per pair, with one job and with two, and records the medians of three runs
# in bench/RESULTS.md (section "Folder comparison").
# Usage: bench/folders.sh [ROUTES] [PAIRS]
# TESSALINE_BUILD_DIR names another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
source "$root/bench/results_section.sh"
routes="${1:-20000}"
pairs="${2:-50}"
build="${TESSALINE_BUILD_DIR:-build}"
if [ "$build" = build ]; then scripts/build.sh >/dev/null; fi
bin="$(realpath "$build/src/tessaline")"
generate="$(realpath "$build/bench/tessaline_generate_log")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$work/before" "$work/after"
for i in $(seq 1 "$pairs"); do
  "$generate" "$routes" "$i" ordered >"$work/before/r$i.log"
  # Every thousandth route line gets another next hop.
  awk '/ via / && ++n % 1000 == 0 { sub(/ via [0-9.]+/, " via 192.0.2.1") } { print }' \
    "$work/before/r$i.log" >"$work/after/r$i.log"
done
bytes=$(cat "$work"/before/*.log | wc -c)

# Median wall time of three runs of a folder comparison with $1 jobs.
median_time() {
  local times=()
  for _ in 1 2 3; do
    rm -f "$work"/after/*.dif
    local start end
    start=$(date +%s.%N)
    "$bin" -j "$1" "$work/before" "$work/after" >"$work/summary.$1" || true
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc)")
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 2p
}
one=$(printf '%.2f' "$(median_time 1)")
two=$(printf '%.2f' "$(median_time 2)")
cmp -s "$work/summary.1" "$work/summary.2" || { echo "summaries differ between -j 1 and -j 2" >&2; exit 1; }
ratio=$(echo "scale=2; $two / $one" | bc | sed "s/^\./0./")
tail -1 "$work/summary.1"

section=$(cat <<MD
## Folder comparison

\`bench/folders.sh $routes $pairs\` on $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')),
$(date -u +%Y-%m-%d): $pairs pairs of generated logs of $routes routes each ($((bytes / pairs / 1024)) KiB a log),
one route in a thousand with another next hop. Median wall time of three runs.

| jobs | time | ratio to one job |
|---|---|---|
| 1 | ${one} s | 1.00 |
| 2 | ${two} s | ${ratio} |

Summary: $(tail -1 "$work/summary.1")
MD
)
write_results_section "Folder comparison" "$section"
echo "1 job: ${one} s, 2 jobs: ${two} s, ratio ${ratio}; written to bench/RESULTS.md"
