#!/usr/bin/env bash
# Checks the captures listed in the "## Files" table of DIR/SOURCES.md with
# the program, each in a scratch folder with a settings folder of its own:
# - a route table (a number in the "Routes" column) sorts with exit 0 and
#   nothing on standard error; compared with itself (--json) it is "same"
#   with exit 0 and that many routes on both sides; without any one of its
#   route blocks (found here, not by the program) the comparison's report
#   ends in " 1 の違いがあります" with exit 1 (exit 2 and "no route lines
#   found" when that block was its only one);
# - a capture counted "—" (not a route table) sorts with exit 0 and the
#   warning "no route lines found".
# A count "N (program: M)" is a known fault: M routes are expected until
# the program finds N, which then fails the check so that the table gets
# updated. Every *.log in DIR must be listed. Prints one line per capture;
# exits 1 when any check failed.
#
#   scripts/check-captures.sh DIR [BINARY]   (BINARY: build/src/tessaline)
set -uo pipefail
dir="$(realpath "${1:?usage: check-captures.sh DIR [BINARY]}")"
bin="$(realpath "${2:-build/src/tessaline}")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config"
[ -x "$bin" ] || { echo "check-captures.sh: no program at $bin" >&2; exit 2; }
readonly kOneDifference=" 1 の違いがあります"

# "NAME COUNT KNOWN" per row of the file table; COUNT "-" for a capture that
# is not a route table, KNOWN the program's count of a known fault or "-".
rows() {
  awk -F' *[|] *' '/^## / { files = $0 == "## Files" }
    files && $2 ~ /\.log/ {
      split($2, name, " "); count = $3; known = "-"
      if (match(count, /program: [0-9]+/)) known = substr(count, RSTART + 9, RLENGTH - 9)
      sub(/ .*/, "", count)
      print name[1], (count ~ /^[0-9]+$/ ? count : "-"), known
    }' "$dir/SOURCES.md"
}

# The route blocks of a capture, "FIRST LAST" line numbers each: a head (code
# words, if any, then a destination with its prefix length) and the lines
# under it, up to a blank line, the next head, a prompt or a line that opens
# or names a table.
blocks() {
  awk '{ sub(/\r+$/, "") }
    function flush() { if (first) print first, last; first = 0 }
    /^ *([A-Za-z0-9*>+%-]+( [A-Za-z0-9]+)? +)?([0-9]+\.[0-9]+\.[0-9]+\.[0-9]+|[0-9A-Fa-f]*:[0-9A-Fa-f:.]*)\/[0-9]+([ ,]|$)/ {
      flush(); first = last = NR; next
    }
    /^ *$/ || /^[^ ]*#/ || /^ *(Gateway of last resort|VRF: |Routing Table: |IP Route Table for|IPv6 Routing Table)/ {
      flush(); next
    }
    first { last = NR }
    END { flush() }' "$1"
}

# Runs the program in folder $1 with the remaining arguments; sets $status and
# leaves standard output and error in $1/out and $1/err.
run() {
  local at="$1"
  shift
  (cd "$at" && "$bin" "$@" >out 2>err)
  status=$?
}

# The problems of a capture that is not a route table, one per line.
check_detail() {
  local w="$1" name="$2"
  run "$w" "$name"
  local expected="tessaline: warning: $name: no route lines found"
  [ "$status" = 0 ] && [ "$(cat "$w/err")" = "$expected" ] ||
    echo "sort: exit $status, not the warning: $(head -c 200 "$w/err")"
}

# The problems of a route table listed with $3 routes ($4: a known fault's
# count), one per line; a line "note: ..." is no problem.
check_table() {
  local w="$1" name="$2" count="$3" known="$4" log="$dir/$2"
  run "$w" "$name"
  [ "$status" = 0 ] && [ ! -s "$w/err" ] || echo "sort: exit $status: $(head -c 200 "$w/err")"
  cp "$log" "$w/before.log" && cp "$log" "$w/after.log"
  run "$w" --json before.log after.log
  local verdict routes
  verdict="$(sed -n 's/^ *"verdict": "\(.*\)",$/\1/p' "$w/out")"
  routes="$(sed -n 's/^ *"routes": {"before": \([0-9]*\), "after": \([0-9]*\)},$/\1 \2/p' "$w/out")"
  [ "$status" = 0 ] && [ "$verdict" = same ] || echo "compared with itself: exit $status, verdict \"$verdict\""
  if [ "$known" != - ] && [ "$routes" = "$known $known" ]; then
    echo "note: known fault, routes $known, not $count"
  elif [ "$routes" != "$count $count" ]; then
    echo "routes \"$routes\", not $count$([ "$known" != - ] && echo " (known fault: $known)")"
  elif [ "$known" != - ]; then
    echo "routes $count: the known fault is gone, update SOURCES.md"
  fi
  local spans first last report want=1
  spans="$(blocks "$log")"
  [ -n "$spans" ] || echo "no route block found"
  # Without its only route block the log holds no route: the comparison
  # writes its report, then fails for want of routes.
  [ "$(wc -l <<<"$spans")" != 1 ] || want=2
  while read -r first last; do
    sed "${first},${last}d" "$log" >"$w/after.log"
    rm -f "$w/after.dif"
    run "$w" before.log after.log
    report="$(tail -n 1 "$w/after.dif" 2>/dev/null | tr -d '\r')"
    [ "$status" = "$want" ] && [ "$report" = "$kOneDifference" ] ||
      echo "without lines $first-$last: exit $status, report ends \"$report\""
  done <<<"$spans"
}

failed=0
listed=" "
while read -r name count known; do
  listed+="$name "
  w="$scratch/$name.d"
  mkdir -p "$w"
  if [ ! -f "$dir/$name" ]; then
    problems="listed but missing" notes=""
  else
    cp "$dir/$name" "$w/$name"
    if [ "$count" = - ]; then
      found="$(check_detail "$w" "$name")"
    else
      found="$(check_table "$w" "$name" "$count" "$known")"
    fi
    problems="$(grep -v '^note: ' <<<"$found")" notes="$(sed -n 's/^note: //p' <<<"$found")"
  fi
  shown="—   "
  [ "$count" = - ] || printf -v shown '%-4s' "$count"
  if [ -n "$problems" ]; then
    failed=1
    printf '%-20s %s FAILED: %s\n' "$name" "$shown" "${problems//$'\n'/; }"
  else
    printf '%-20s %s OK%s\n' "$name" "$shown" "${notes:+ ($notes)}"
  fi
done < <(rows)

for log in "$dir"/*.log; do
  name="$(basename "$log")"
  [[ "$listed" == *" $name "* ]] && continue
  failed=1
  echo "$name: not listed in $dir/SOURCES.md"
done
[ "$listed" != " " ] || { echo "no capture listed in $dir/SOURCES.md"; failed=1; }
exit "$failed"
