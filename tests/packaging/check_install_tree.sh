#!/usr/bin/env bash
# Checks an installed tree of Tessaline: ROOT is the folder that stands for
# "/" (a DESTDIR, or an extracted package), PREFIX the install prefix (/usr,
# /usr/local). The tree must hold exactly the program, its manual page, the
# desktop entry, the icons of the hicolor theme, the AppStream metadata and
# the documentation folder, each with the expected content; the desktop entry
# and the metadata must pass their validators without a warning.
#
#   tests/packaging/check_install_tree.sh ROOT PREFIX
#
# Prints one line per failed check and exits 1 when any failed.
set -uo pipefail
root="$(realpath "$1")"
prefix="$2"
src="$(cd "$(dirname "$0")/../.." && pwd)"
top="$root$prefix"
failures=0
# The program runs with settings of its own, never the user's.
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config"
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

sizes=(16 32 48 64 128 256)
metainfo=share/metainfo/org.tessaline.tessaline.metainfo.xml
expected=(
  bin/tessaline
  share/applications/tessaline.desktop
  share/doc/tessaline/Tessaline060.txt
  share/doc/tessaline/changelog.gz
  share/doc/tessaline/copyright
  share/doc/tessaline/dialects.md
  share/doc/tessaline/json.md
  share/icons/hicolor/scalable/apps/tessaline.svg
  share/man/man1/tessaline.1.gz
  "$metainfo"
)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/tessaline.png"); done
# The window module, below the library folder of the prefix (lib, or the
# multiarch lib/TRIPLET for /usr).
module="$(cd "$top" 2>/dev/null && find lib -path '*/tessaline/tessaline-window.so' 2>/dev/null | head -n 1)"
if [ -n "$module" ]; then
  expected+=("$module")
else
  fail "no lib/.../tessaline/tessaline-window.so"
  module=lib/tessaline/tessaline-window.so
fi

# Exactly these files, nothing else anywhere below ROOT.
want="$(printf '%s\n' "${expected[@]/#/$prefix/}" | sort)"
have="$(cd "$root" && find . -type f -o -type l | sed 's|^\.||' | sort)"
if [ "$want" != "$have" ]; then
  fail "the installed files differ from the expected list:"
  diff <(echo "$want") <(echo "$have") | sed 's/^/    /'
fi

# The program runs from the tree and names the companion text of its version.
if [ -x "$top/bin/tessaline" ]; then
  version="$("$top/bin/tessaline" --version)" || fail "tessaline --version failed"
  [[ "$version" =~ ^tessaline\ ([0-9]+)\.([0-9]+)$ ]] || fail "unexpected version line: $version"
  major="${BASH_REMATCH[1]:-0}"
  minor="$(printf '%02d' "$((10#${BASH_REMATCH[2]:-0} % 100))")"
  [ -f "$top/share/doc/tessaline/Tessaline$major$minor.txt" ] ||
    fail "no share/doc/tessaline/Tessaline$major$minor.txt for $version"
  # The About box's address is built from this folder name in the window.
  grep -q -a -F "$prefix/share/doc/tessaline" "$top/$module" ||
    fail "the window does not name the documentation folder $prefix/share/doc/tessaline"
  # The program finds its window module: with a platform that does not
  # exist, the window fails to open a display, not to load.
  out="$(QT_QPA_PLATFORM=no-such-platform "$top/bin/tessaline" 2>&1)"
  [ "$out" = "tessaline: cannot open a display" ] || fail "the window does not start from the tree: $out"
  # Batch runs never load Qt.
  ldd "$top/bin/tessaline" | grep -q libQt && fail "the program itself links Qt"
else
  fail "bin/tessaline is missing or not executable"
fi

# Desktop entry: valid, no file arguments (arguments start batch mode), the
# icon, English and Japanese names and comments, a network category.
desktop="$top/share/applications/tessaline.desktop"
if [ -f "$desktop" ]; then
  out="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate failed"
  [ -z "$out" ] || fail "desktop-file-validate reports: $out"
  for line in "Type=Application" "Exec=tessaline" "Icon=tessaline" "Name=Tessaline" "Terminal=false"; do
    grep -q -x -F "$line" "$desktop" || fail "tessaline.desktop lacks the line $line"
  done
  for key in "GenericName\[ja\]" "Comment" "Comment\[ja\]"; do
    grep -q "^$key=." "$desktop" || fail "tessaline.desktop lacks $key"
  done
  grep -q '^Categories=Network;' "$desktop" || fail "tessaline.desktop is not in the Network category"
fi

# AppStream metadata: valid without a warning, launches the desktop entry.
if [ -f "$top/$metainfo" ]; then
  appstreamcli validate --no-net --pedantic "$top/$metainfo" >"$config/appstream" 2>&1 ||
    fail "appstreamcli validate failed: $(cat "$config/appstream")"
  grep -q -E '^[EWIP]: ' "$config/appstream" && fail "appstreamcli validate reports: $(cat "$config/appstream")"
  grep -q '<launchable type="desktop-id">tessaline.desktop</launchable>' "$top/$metainfo" ||
    fail "the metadata does not launch tessaline.desktop"
  grep -q '<id>org.tessaline.tessaline</id>' "$top/$metainfo" || fail "the metadata has another id"
  for tag in summary description project_license metadata_license; do
    grep -q "<$tag>\|<$tag " "$top/$metainfo" || fail "the metadata lacks <$tag>"
  done
fi

# Icons: each PNG is a PNG of its folder's size; the SVG is the project's.
for size in "${sizes[@]}"; do
  png="$top/share/icons/hicolor/${size}x${size}/apps/tessaline.png"
  [ -f "$png" ] || continue
  header="$(od -A n -t x1 -N 24 "$png" | tr -d ' \n')"
  [ "${header:0:16}" = 89504e470d0a1a0a ] || fail "${size}x${size}/apps/tessaline.png is not a PNG"
  width=$((16#${header:32:8}))
  height=$((16#${header:40:8}))
  [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
    fail "${size}x${size}/apps/tessaline.png is $width x $height pixels"
done
svg="$top/share/icons/hicolor/scalable/apps/tessaline.svg"
[ -f "$svg" ] && { cmp -s "$svg" "$src/packaging/tessaline.svg" || fail "the SVG icon is not packaging/tessaline.svg"; }

# Manual page and changelog: gzip without name or time stamp, same text.
check_gzip() {
  local file="$1" source="$2"
  [ -f "$file" ] || return
  gzip -t "$file" || fail "$file is not a valid gzip file"
  local head
  head="$(od -A n -t x1 -N 8 "$file" | tr -d ' \n')"
  [ "${head:6:10}" = 0000000000 ] || fail "$file keeps a file name or a time stamp in its header"
  cmp -s <(gzip -dc "$file") "$source" || fail "$file is not $source"
}
check_gzip "$top/share/man/man1/tessaline.1.gz" "$src/docs/tessaline.1"
check_gzip "$top/share/doc/tessaline/changelog.gz" "$src/packaging/changelog"

# Documentation folder: the companion text (UTF-8) and the licence.
doc="$top/share/doc/tessaline"
if [ -f "$doc/Tessaline060.txt" ]; then
  cmp -s "$doc/Tessaline060.txt" "$src/docs/Tessaline060.txt" || fail "Tessaline060.txt differs from docs/"
  iconv -f UTF-8 -t UTF-8 "$doc/Tessaline060.txt" >/dev/null 2>&1 || fail "Tessaline060.txt is not UTF-8"
fi
for page in json.md dialects.md; do
  [ -f "$doc/$page" ] && { cmp -s "$doc/$page" "$src/docs/$page" || fail "$page differs from docs/"; }
done
[ -f "$doc/copyright" ] && { cmp -s "$doc/copyright" "$src/LICENSE" || fail "copyright is not LICENSE"; }

if [ "$failures" -gt 0 ]; then
  echo "$failures checks failed for the tree $root (prefix $prefix)"
  exit 1
fi
echo "install tree $root (prefix $prefix): ${#expected[@]} files, all checks passed"
