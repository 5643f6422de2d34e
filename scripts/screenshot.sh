#!/usr/bin/env bash
# Pictures of the window for the documentation. Starts the real window on a
# virtual X display (Xvfb, with the openbox window manager for the frame and
# caption), drops examples/before.log and examples/after.log onto its input
# fields, and writes docs/window.png and docs/options-menu.png (the window
# with the option submenu open). The settings come from a folder of their
# own, with the options in force and the sort results kept.
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
  cmake --build "$build" --target tessaline_screenshot
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config/tessaline"
printf '[Tessaline]\r\nSortExt1=.srt\r\nSortExt2=.srt\r\nDiffExt=.dif\r\nEnableOpt=1\r\nStoreSort=1\r\n' \
  >"$work/config/tessaline/Tessaline.ini"

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
kill "\$wm"
exit "\$status"
SHOOT
chmod +x "$work/shoot.sh"
mkdir -p docs
xvfb-run -a -s "-screen 0 1280x800x24" "$work/shoot.sh"
echo "wrote docs/window.png and docs/options-menu.png"
