#!/usr/bin/env bash
# Times Tessaline against what operators use instead, in one run on the same
# generated files, and records the figures:
#   - a 1,000,000-route log sorted by destination and by protocol and hop;
#   - the same routes written as IOS "show ipv6 route" and as NX-OS
#     "show ip route", each sorted by destination, and GNU sort of the IPv6 log;
#   - a comparison of two such logs that differ in about 1,000 routes;
#   - a sort and a comparison of a log of 20,000 small VRF tables;
#   - GNU sort of the 1M log on its address octets, and `cat` as the floor;
#   - TextFSM with the operators' template, when python3-textfsm is there;
#   - with --big, also a 10,000,000-route sort (time and memory growth).
# Each figure is the median of RUNS runs (default 3) of wall time, and the
# peak memory of the median run. Writes bench/latest.csv and the section
# "Full table" of bench/RESULTS.md.
#
# Usage: bench/run.sh [--big] [--runs N] [--no-textfsm]
# TESSALINE_BUILD_DIR names another build folder than build/; BENCH_SECTION
# another section of bench/RESULTS.md than "Full table" (figures of an
# earlier build, say).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
source "$root/bench/results_section.sh"
big=0
runs=3
textfsm=1
while [ $# -gt 0 ]; do
  case "$1" in
    --big) big=1 ;;
    --runs) runs="$2"; shift ;;
    --no-textfsm) textfsm=0 ;;
    *) echo "usage: bench/run.sh [--big] [--runs N] [--no-textfsm]" >&2; exit 2 ;;
  esac
  shift
done
build="${TESSALINE_BUILD_DIR:-build}"
if [ "$build" = build ]; then scripts/build.sh >/dev/null; fi
bin="$(realpath "$build/src/tessaline")"
generate="$(realpath "$build/bench/tessaline_generate_log")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
cd "$work"

"$generate" 1000000 1 ordered >full1.log
"$generate" 1000000 1 ordered ios6 >full6.log
"$generate" 1000000 1 ordered nxos >nxos1.log
awk '/ via / && ++n % 1000 == 0 { sub(/ via [0-9.]+/, " via 192.0.2.1") } { print }' full1.log >full2.log
/usr/bin/python3 - <<'PY'
import random
random.seed(1)
with open("tables.log", "w") as out:
    out.write("R1#show ip route vrf *\n")
    for t in range(20000):
        out.write(f"\nRouting Table: VRF{t:05d}\nCodes: C - connected, S - static\n\nGateway of last resort is not set\n\n")
        if t % 4 == 0:
            continue  # a quarter of the tables are empty
        for r in range(random.randint(1, 3)):
            out.write(f"S    10.{t % 250}.{r}.0/24 [1/0] via 192.168.{r}.1\n")
        out.write(f"C    192.168.{t % 250}.0/24 is directly connected, Vlan{t % 4000}\n")
PY
if [ "$big" = 1 ]; then "$generate" 10000000 1 ordered >full10.log; fi

csv="$work/latest.csv"
echo "run,seconds,peak_kib,megabytes" >"$csv"
megabytes() { echo "scale=1; $(stat -c %s "$1") / 1000000" | bc; }

# measure LABEL FILE COMMAND...: median wall time of the runs, and the peak
# memory of that run.
measure() {
  local label=$1 file=$2
  shift 2
  local results=()
  for _ in $(seq 1 "$runs"); do
    rm -f ./*.srt ./*.dif
    # Written data of the files just generated or of the last run goes to
    # the disk first, so that no run pays for another's writeback.
    sync
    # Wall time to the millisecond (time's own %e has hundredths only,
    # too coarse for the many-table runs); peak memory from time.
    local start=$EPOCHREALTIME
    /usr/bin/time -o timing -f "%M" "$@" >/dev/null 2>&1 || true
    local end=$EPOCHREALTIME
    results+=("$(echo "$end - $start" | bc | sed 's/^\./0./') $(tail -1 timing)")
  done
  local median
  median=$(printf '%s\n' "${results[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  echo "$label,${median% *},${median#* },$(megabytes "$file")" >>"$csv"
  echo "$label: ${median% *} s, ${median#* } KiB"
}

measure "cat 1M" full1.log cat full1.log
measure "GNU sort 1M" full1.log env LC_ALL=C sort -t. -k1,1n -k2,2n -k3,3n -k4,4n full1.log
# GNU sort has no hexadecimal key: the IPv6 log is sorted on the same four
# fields, split at the colons, as text.
measure "GNU sort 1M IPv6" full6.log env LC_ALL=C sort -t: -k1,1 -k2,2 -k3,3 -k4,4 full6.log
measure "sort 1M dest" full1.log "$bin" --order dest full1.log
measure "sort 1M proto-hop" full1.log "$bin" --order proto-hop full1.log
measure "sort 1M IPv6 (IOS) dest" full6.log "$bin" --order dest full6.log
measure "sort 1M NX-OS dest" nxos1.log "$bin" --order dest nxos1.log
measure "compare 2x1M" full1.log "$bin" full1.log full2.log
measure "sort 20k tables" tables.log "$bin" tables.log
measure "compare 20k tables" tables.log "$bin" tables.log tables.log
if [ "$big" = 1 ]; then measure "sort 10M dest" full10.log "$bin" --order dest full10.log; fi
if [ "$textfsm" = 1 ] && /usr/bin/python3 -c "import textfsm" 2>/dev/null; then
  cat >textfsm_parse.py <<PY
import sys, textfsm
with open("$root/../shared/anchors/cisco_ios_show_ip_route.textfsm") as template:
    rows = textfsm.TextFSM(template).ParseText(open(sys.argv[1]).read())
print(len(rows))
PY
  if [ -f "$root/../shared/anchors/cisco_ios_show_ip_route.textfsm" ]; then
    measure "TextFSM 1M" full1.log /usr/bin/python3 textfsm_parse.py full1.log
  fi
fi
[ -z "${BENCH_SECTION:-}" ] && cp "$csv" "$root/bench/latest.csv"

# The table, with ratios to GNU sort and the per-megabyte cost of the
# many-table log against the 1M log.
table=$(/usr/bin/python3 - "$csv" <<'PY'
import csv, sys
rows = {r["run"]: r for r in csv.DictReader(open(sys.argv[1]))}
gnu = float(rows["GNU sort 1M"]["seconds"])
def seconds_to(name, base):
    return float(rows[name]["seconds"]) / float(rows[base]["seconds"])
def per_mb(name):
    r = rows[name]
    return float(r["seconds"]) / float(r["megabytes"])
print("| run | time | peak memory | × GNU sort |")
print("|---|---|---|---|")
for name, r in rows.items():
    print(f"| {name} ({r['megabytes']} MB) | {float(r['seconds']):.3f} s | {int(r['peak_kib']) // 1024} MB | {float(r['seconds']) / gnu:.2f} |")
print()
print(f"- per-MB cost of the 20k-table log against the 1M log: sort "
      f"{per_mb('sort 20k tables') / per_mb('sort 1M dest'):.2f}×, comparison "
      f"{per_mb('compare 20k tables') / per_mb('compare 2x1M'):.2f}×")
print(f"- the same routes sorted by destination against the IPv4 sort: IPv6 (IOS) "
      f"{seconds_to('sort 1M IPv6 (IOS) dest', 'sort 1M dest'):.2f}×, NX-OS "
      f"{seconds_to('sort 1M NX-OS dest', 'sort 1M dest'):.2f}×; IPv6 (IOS) against GNU sort of "
      f"the IPv6 log {seconds_to('sort 1M IPv6 (IOS) dest', 'GNU sort 1M IPv6'):.2f}×")
if "sort 10M dest" in rows:
    print(f"- 10M sort against the 1M sort: "
          f"{float(rows['sort 10M dest']['seconds']) / float(rows['sort 1M dest']['seconds']):.1f}× the time")

# The targets, each with the figure it is judged by.
def ratio(name):
    return float(rows[name]["seconds"]) / gnu
def mib(name):
    return int(rows[name]["peak_kib"]) / 1024
targets = [
    ("1M sort by destination at most 0.3× GNU sort", ratio("sort 1M dest") <= 0.3, f"{ratio('sort 1M dest'):.2f}×"),
    ("1M sort by protocol and hop at most 0.3× GNU sort", ratio("sort 1M proto-hop") <= 0.3,
     f"{ratio('sort 1M proto-hop'):.2f}×"),
    ("comparison of two 1M logs at most 0.5× GNU sort", ratio("compare 2x1M") <= 0.5, f"{ratio('compare 2x1M'):.2f}×"),
    ("1M sort under 64 MB", mib("sort 1M dest") < 64 and mib("sort 1M proto-hop") < 64,
     f"{max(mib('sort 1M dest'), mib('sort 1M proto-hop')):.0f} MB"),
]
ipv6_to_ipv4 = seconds_to("sort 1M IPv6 (IOS) dest", "sort 1M dest")
ipv6_to_gnu = seconds_to("sort 1M IPv6 (IOS) dest", "GNU sort 1M IPv6")
targets.append(("1M IPv6 sort at most 1.5× the IPv4 sort", ipv6_to_ipv4 <= 1.5, f"{ipv6_to_ipv4:.2f}×"))
targets.append(("1M IPv6 sort at most 0.3× GNU sort of the IPv6 log", ipv6_to_gnu <= 0.3, f"{ipv6_to_gnu:.2f}×"))
sort_mb = per_mb("sort 20k tables") / per_mb("sort 1M dest")
compare_mb = per_mb("compare 20k tables") / per_mb("compare 2x1M")
targets.append(("20k-table log at most 3× the per-MB cost", max(sort_mb, compare_mb) <= 3,
                f"{sort_mb:.2f}× / {compare_mb:.2f}×"))
if "sort 10M dest" in rows:
    growth = float(rows["sort 10M dest"]["seconds"]) / float(rows["sort 1M dest"]["seconds"])
    targets.append(("10M sort under 300 MB", mib("sort 10M dest") < 300, f"{mib('sort 10M dest'):.0f} MB"))
    targets.append(("10M sort at most 12× the 1M time", growth <= 12, f"{growth:.1f}×"))
print()
print("| target | figure | met |")
print("|---|---|---|")
for text, met, figure in targets:
    print(f"| {text} | {figure} | {'yes' if met else 'NO'} |")
PY
)
echo "$table"
heading="${BENCH_SECTION:-Full table}"
section=$(cat <<MD
## $heading

\`bench/run.sh$([ "$big" = 1 ] && echo " --big")\` on $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')),
$(date -u +%Y-%m-%d), median of $runs runs each, all on the same generated files.

$table
MD
)
write_results_section "$heading" "$section"
echo "written to bench/latest.csv and bench/RESULTS.md"
