#!/usr/bin/env bash
# Runs a tessaline binary over every log at hand (examples, tests/data and
# the real captures in tests/captures) in all six sort
# orders and a set of filters, and compares pairs of logs, collecting every
# sort result and report in one folder, with each run's standard output,
# standard error and exit status (RESULT/NAME.runs), and a few command lines
# of every kind (RESULT/command-line.runs). Two snapshots made by two builds
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
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

logs=("$root"/examples/*.log "$root"/tests/data/*/input.log)
for f in "$root"/tests/captures/*.log "$root"/tests/captures/other/*.log; do
  [ -f "$f" ] && logs+=("$f")
done

# Runs the binary with the arguments after the transcript file, appending to
# that file the command, its standard output, standard error and status.
run() {
  local transcript="$1"
  shift
  local status=0
  "$bin" "$@" >"$out/run.stdout" 2>"$out/run.stderr" || status=$?
  {
    echo "\$ tessaline $*"
    cat "$out/run.stdout"
    echo "-- stderr"
    cat "$out/run.stderr"
    echo "-- exit $status"
  } >>"$transcript"
  return "$status"
}

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
      run "$out/result/$base.runs" --order "$order" --filter "$filter" "$name" ||
        echo "sort failed: $name $order $filter" >>"$out/result/failures"
      mv "$base.srt" "$out/result/$base.o$order.f$filter.srt"
    done
  done
  run "$out/result/$base.runs" "$name" || true
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
      tag="${1%.*}+${2%.*}.f$filter"
      run "$out/result/$tag.runs" --filter "$filter" "$1" "$2" || true
      mv "${2%.*}.dif" "$out/result/$tag.dif"
      mv "${1%.*}.s1" "$out/result/$tag.s1"
      mv "${2%.*}.s2" "$out/result/$tag.s2"
    done
  done
done
# Command lines of every kind: help, usage errors, a missing file, too many.
cli="$out/result/command-line.runs"
a="${names[0]}"
b="${names[1]}"
for args in "--help" "--version" "" "--bogus $a" "--order 9 $a" "--order" "--filter 0,5 $a" \
    "--order 1 $a $b" "--json $a" "-j 0 $a $a" "missing.log" "$a missing.log" "$a $b $a" \
    "-o missing-folder $a"; do
  # shellcheck disable=SC2086
  run "$cli" $args || true
done
rm -f "$out/run.stdout" "$out/run.stderr" ./*.s1 ./*.s2 ./*.srt ./*.dif

echo "$(ls "$out/result" | wc -l) outputs in $out/result"
