#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/, the project configured with
# -DTESSALINE_FUZZ=ON: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs one of them, or each
# in turn with "all", for SECONDS seconds, one fuzzing process at a time.
#
#   scripts/fuzz.sh TARGET|all SECONDS
#
# The targets are those fuzz/CMakeLists.txt lists. A run fuzzes from the
# committed seeds fuzz/corpus/TARGET; new inputs go to
# build-fuzz/corpus/TARGET, which later runs go on from. A failing input is
# written to build-fuzz/findings/TARGET and the script exits 1. The
# fuzzer's own log is build-fuzz/logs/TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ne 2 ] || ! [[ "$2" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh TARGET|all SECONDS (targets: see fuzz/CMakeLists.txt)" >&2
  exit 2
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= \
  -DTESSALINE_FUZZ=ON -DTESSALINE_WINDOW=OFF -DTESSALINE_WERROR=ON >/dev/null
mapfile -t targets <build-fuzz/fuzz/targets.txt
if [ "$1" = all ]; then
  chosen=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $1 "* ]]; then
  chosen=("$1")
else
  echo "scripts/fuzz.sh: unknown target '$1' (targets: ${targets[*]})" >&2
  exit 2
fi
seconds=$2

cmake --build build-fuzz --target "${chosen[@]/%/_fuzz}"
root=$PWD
for target in "${chosen[@]}"; do
  binary=$root/build-fuzz/fuzz/${target}_fuzz
  work=$root/build-fuzz/corpus/$target
  findings=$root/build-fuzz/findings/$target
  logs=$root/build-fuzz/logs
  mkdir -p "$work" "$findings" "$logs"
  options=(-max_len=32768 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
  echo "== $target: fuzzing for $seconds s"
  # One worker: the fuzzer shares the machine with builds and benchmarks.
  status=0
  (cd "$logs" && nice -n 19 "$binary" "${options[@]}" -max_total_time="$seconds" \
      -workers=1 -jobs=1 -artifact_prefix="$findings/" "$work" "$root/fuzz/corpus/$target") \
      >/dev/null 2>&1 || status=$?
  mv -f "$logs/fuzz-0.log" "$logs/$target.log"
  grep -E "^(#[0-9]+.*(DONE|pulse|NEW|REDUCE)|stat::)" "$logs/$target.log" | tail -n 8
  if [ $status -ne 0 ] || grep -qE "^==[0-9]+==ERROR|runtime error|^SUMMARY" "$logs/$target.log"; then
    echo "scripts/fuzz.sh: $target found a failing input (see $logs/$target.log, inputs in $findings)" >&2
    exit 1
  fi
done
