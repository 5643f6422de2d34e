#!/usr/bin/env bash
# Pictures of the window for the documentation. Starts the real window on a
# virtual X display (Xvfb, with the openbox window manager for the frame and
# caption), drops examples/before.log and examples/after.log onto its input
# fields, and writes docs/window.png and docs/options-menu.png (the window
# with the option submenu open). The settings come from a folder of their
# own, with the options in force and the sort results kept. Then compares
# copies of the two logs in a scratch folder, from the window
# (docs/window-compared.png: the verdict in the caption) and in batch mode,
# and writes docs/viewer.png, the report
# viewer over that report (grabbed offscreen, without a frame).
#
#   scripts/screenshot.sh [LOG1 LOG2]
#
# TESSALINE_BUILD_DIR names another build folder than build/ to take the
# program from.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
log1="$(realpath "${1:-examples/before.log}")"
log2="$(realpath "${2:-examples/after.log}")"

build="${TESSALINE_BUILD_DIR:-build}"
scripts/setup.sh screenshot
if [ "$build" = build ]; then
  scripts/build.sh
else
  cmake --build "$build" --target tessaline tessaline_screenshot tessaline_viewer_screenshot
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config/tessaline"
printf '[Tessaline]\r\nSortExt1=.srt\r\nSortExt2=.srt\r\nDiffExt=.dif\r\nEnableOpt=1\r\nStoreSort=1\r\n' \
  >"$work/config/tessaline/Tessaline.ini"

# The runs write beside copies of the logs, never beside the originals; the
# report names its logs as given: copies beside it, by their own names.
mkdir "$work/compare"
cp "$log1" "$work/compare/$(basename "$log1")"
cp "$log2" "$work/compare/$(basename "$log2")"

cat >"$work/shoot.sh" <<SHOOT
#!/usr/bin/env bash
set -euo pipefail
openbox --sm-disable >/dev/null 2>&1 &
wm=\$!
sleep 1
status=0
XDG_CONFIG_HOME="$work/config" "$(realpath "$build")/tests/ui/tessaline_screenshot" \
  "$work/config/tessaline/Tessaline.ini" "$log1" "$log2" \
  "$root/docs/window.png" "$root/docs/options-menu.png" || status=\$?
XDG_CONFIG_HOME="$work/config" "$(realpath "$build")/tests/ui/tessaline_screenshot" \
  "$work/config/tessaline/Tessaline.ini" "$work/compare/$(basename "$log1")" \
  "$work/compare/$(basename "$log2")" "$work/window.png" "$work/menu.png" \
  "$root/docs/window-compared.png" || status=\$?
kill "\$wm"
exit "\$status"
SHOOT
chmod +x "$work/shoot.sh"
mkdir -p docs
xvfb-run -a -s "-screen 0 1280x800x24" "$work/shoot.sh"

report="$(basename "${log2%.*}").dif"
built="$(realpath "$build")"
(cd "$work/compare" && XDG_CONFIG_HOME="$work/config" "$built/src/tessaline" \
  "$(basename "$log1")" "$(basename "$log2")" >/dev/null) || [ $? -eq 1 ]
(cd "$work/compare" && QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" \
  "$built/tests/ui/tessaline_viewer_screenshot" "$report" \
  "$root/docs/viewer.png")
echo "wrote docs/window.png, docs/options-menu.png, docs/window-compared.png and docs/viewer.png"
