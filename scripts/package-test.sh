#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it as an operator
# would get it: its control fields and file list (dpkg-deb), lintian without
# an error, and, extracted into a temporary root, every installed file
# (tests/packaging/check_install_tree.sh), `tessaline --version`, and a batch
# comparison of the example logs whose report and exit status must be those
# of the build in build/ (scripts/build.sh). Also runs the About box test in
# the package's build folder, where the documentation address is the
# package's one.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
start=$SECONDS
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# Each step counts as passed when it made no failure.
passed_steps=0
failed_steps=0
step_name=""
step() {
  if [ -n "$step_name" ]; then
    if [ "$failures" -eq "$step_failures" ]; then
      passed_steps=$((passed_steps + 1))
    else
      failed_steps=$((failed_steps + 1))
      echo "step failed: $step_name"
    fi
  fi
  step_name="$1"
  step_failures=$failures
}

scripts/setup.sh package
scripts/build.sh >/dev/null
deb_build="${TESSALINE_DEB_BUILD_DIR:-build-deb}"
mkdir -p "$deb_build"
log="$deb_build/package-test.log"
deb="$(TESSALINE_DEB_BUILD_DIR="$deb_build" scripts/package.sh 2>"$log" | tail -n 1)" || {
  cat "$log"
  exit 1
}
echo "package: $deb"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

step "control fields"
arch="$(dpkg --print-architecture)"
# The version as the build's program gives it (from project() in CMakeLists.txt).
version="$("$root/build/src/tessaline" --version | sed -n 's/^tessaline //p')"
[ -n "$version" ] || fail "build/src/tessaline --version gives no version"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(basename "$deb")" = "tessaline_${version}_${arch}.deb" ] || fail "package file name $(basename "$deb")"
[ "$(field Package)" = tessaline ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = net ] || fail "Section: $(field Section)"
[ "$(field Priority)" = optional ] || fail "Priority: $(field Priority)"
[[ "$(field Maintainer)" == "The Tessaline developers <"*@*">" ]] || fail "Maintainer: $(field Maintainer)"
[ "$(field Recommends)" = "fonts-ipafont-gothic, qt6-translations-l10n" ] || fail "Recommends: $(field Recommends)"
depends="$(field Depends)"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends," == *", $lib (>= "* ]] || fail "Depends lacks a versioned $lib: $depends"
done
[[ "$depends" != *fonts-* ]] || fail "the font is a dependency, not a recommendation: $depends"
description="$(field Description)"
[ "$(head -n 1 <<<"$description")" = "sort and compare routing-table logs of Cisco routers" ] ||
  fail "Description synopsis: $(head -n 1 <<<"$description")"
[ "$(wc -l <<<"$description")" -ge 5 ] || fail "Description has no long text"
dpkg-deb -f "$deb" | sed 's/^/  /'

step "file list: owned by root, usual modes, nothing outside /usr"
dpkg-deb -c "$deb" >"$work/contents"
awk '$2 != "root/root" { print "FAIL: owner " $2 " of " $6 }' "$work/contents" | grep . && fail "owners"
awk '$6 !~ /^\.\/usr\// { print "FAIL: outside /usr: " $6 }' "$work/contents" | grep . && fail "paths"
awk '($1 ~ /^d/ && $1 != "drwxr-xr-x") || ($1 ~ /^-/ && $6 != "./usr/bin/tessaline" && $1 != "-rw-r--r--") ||
     ($6 == "./usr/bin/tessaline" && $1 != "-rwxr-xr-x") { print "FAIL: mode " $1 " of " $6 }' \
  "$work/contents" | grep . && fail "modes"
echo "  $(grep -c '^-' "$work/contents") files, $(grep -c '^d' "$work/contents") folders"

step "lintian: no error (every tag it gives is shown)"
lintian --fail-on error --display-level ">=pedantic" "$deb" >"$work/lintian" 2>&1 || fail "lintian reports errors"
grep -v '^running with root privileges' "$work/lintian" | sed 's/^/  lintian: /' || true
grep -v '^running with root privileges' "$work/lintian" | grep -q . || echo "  lintian: no tags"

step "the extracted package: files, version, libraries"
dpkg-deb -x "$deb" "$work/root"
tests/packaging/check_install_tree.sh "$work/root" /usr || fail "installed files"
bin="$work/root/usr/bin/tessaline"
[ "$("$bin" --version)" = "tessaline $version" ] || fail "tessaline --version: $("$bin" --version)"
if ldd "$bin" | grep -q "not found"; then fail "libraries not found: $(ldd "$bin" | grep 'not found')"; fi

step "example comparison: same report and status as the build's"
# By the package's program and by the build's, each in a folder and with
# settings of its own.
compare_examples() {
  local program="$1" dir="$2"
  mkdir -p "$dir/config"
  cp examples/before.log examples/after.log "$dir/"
  local status=0
  (cd "$dir" && XDG_CONFIG_HOME="$dir/config" "$program" before.log after.log) || status=$?
  echo "$status" >"$dir/status"
}
compare_examples "$bin" "$work/package-run"
compare_examples "$root/build/src/tessaline" "$work/build-run"
[ "$(cat "$work/package-run/status")" = 1 ] || fail "the example comparison exited $(cat "$work/package-run/status"), not 1"
[ "$(cat "$work/build-run/status")" = "$(cat "$work/package-run/status")" ] || fail "exit status differs from the build's"
cmp "$work/package-run/after.dif" "$work/build-run/after.dif" || fail "report differs from the build's"
grep -q "の違いがあります" "$work/package-run/after.dif" || fail "report has no verdict line"
echo "  example comparison: exit $(cat "$work/package-run/status"), report of $(wc -l <"$work/package-run/after.dif") lines, same as the build's"

step "About box of the package's build"
# It names file:///usr/share/doc/tessaline/ and so is byte for byte the
# documented text.
cmake --build "$deb_build" --target help_test >>"$log" 2>&1 || { cat "$log"; fail "help_test build"; }
(cd "$deb_build" && ctest -R '^ui\.help_test$' --output-on-failure >"$work/ctest" 2>&1) || { cat "$work/ctest"; fail "About box test in $deb_build"; }
grep -q "100% tests passed, 0 tests failed out of 1" "$work/ctest" || fail "the About box test did not run"

step ""
echo "package test: $((SECONDS - start)) s"
echo "package-test: $passed_steps passed, $failed_steps failed"
[ "$failed_steps" -eq 0 ]
