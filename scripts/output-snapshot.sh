#!/usr/bin/env bash
# Runs a tessaline binary over every log at hand (examples, tests/data and
# the real captures in tests/captures) in all six sort
# orders and a set of filters, and compares pairs of logs, collecting every
# sort result and report in one folder. Two snapshots made by two builds
# must be identical (diff -r) when a change keeps every output byte.
#
#   scripts/output-snapshot.sh BINARY OUTDIR
set -euo pipefail
bin="$(realpath "$1")"
out="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"
rm -rf "$out"
mkdir -p "$out/in" "$out/result" "$out/config"
export XDG_CONFIG_HOME="$out/config"

logs=("$root"/examples/*.log "$root"/tests/data/*/input.log)
for f in "$root"/tests/captures/*.log "$root"/tests/captures/other/*.log; do
  [ -f "$f" ] && logs+=("$f")
done

names=()
for f in "${logs[@]}"; do
  name="$(basename "$(dirname "$f")")-$(basename "$f")"
  cp "$f" "$out/in/$name"
  names+=("$name")
done

filters=(0 1 2 3 4 5 6 1,2 2,4 1,2,3,4)
cd "$out/in"
for name in "${names[@]}"; do
  base="${name%.*}"
  for order in 0 1 2 3 4 5; do
    for filter in "${filters[@]}"; do
      "$bin" --order "$order" --filter "$filter" "$name" || echo "sort failed: $name $order $filter" >>"$out/result/failures"
      mv "$base.srt" "$out/result/$base.o$order.f$filter.srt"
    done
  done
  "$bin" "$name"
  mv "$base.srt" "$out/result/$base.plain.srt"
done

# Comparisons: each log with the next one, and with itself.
mkdir -p "$out/config/tessaline"
printf '[Tessaline]\r\nSortExt1=.s1\r\nSortExt2=.s2\r\nDiffExt=.dif\r\nEnableOpt=1\r\nStoreSort=1\r\n' \
  >"$out/config/tessaline/Tessaline.ini"
count=${#names[@]}
for ((i = 0; i < count; i++)); do
  a="${names[$i]}"
  b="${names[$(((i + 1) % count))]}"
  for pair in "$a $b" "$a $a"; do
    set -- $pair
    for filter in 0 1 5 6 1,3; do
      status=0
      "$bin" --filter "$filter" "$1" "$2" || status=$?
      tag="${1%.*}+${2%.*}.f$filter"
      echo "$status" >"$out/result/$tag.status"
      mv "${2%.*}.dif" "$out/result/$tag.dif"
      mv "${1%.*}.s1" "$out/result/$tag.s1"
      mv "${2%.*}.s2" "$out/result/$tag.s2"
    done
  done
done
echo "$(ls "$out/result" | wc -l) outputs in $out/result"
