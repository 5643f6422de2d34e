# Sourced by the bench scripts: write_results_section HEADING TEXT replaces
# the section "## HEADING" of bench/RESULTS.md with TEXT (which starts with
# that heading), or appends it when the file has no such section yet.
write_results_section() {
  local results
  results="$(dirname "${BASH_SOURCE[0]}")/RESULTS.md"
  [ -f "$results" ] || printf '# Benchmark results\n\nEach benchmark keeps its latest figures in its own section.\n' >"$results"
  /usr/bin/python3 - "$results" "$2" "$1" <<'PY'
import re, sys
path, section, heading = sys.argv[1], sys.argv[2].strip() + "\n", sys.argv[3]
text = open(path).read()
pattern = re.compile(r"^## " + re.escape(heading) + r"\n.*?(?=^## |\Z)", re.S | re.M)
text = pattern.sub(lambda m: section + "\n", text) if pattern.search(text) else text.rstrip("\n") + "\n\n" + section
open(path, "w").write(text)
PY
}
