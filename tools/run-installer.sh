#!/usr/bin/env bash
# Builds the setup program and runs it under Wine: on your X display when DISPLAY is set,
# otherwise on a virtual display of its own, where it takes a screenshot and says where it is.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

bash "$ROOT/tools/setup.sh" "$BUILD_ROOT" || exit 1
step "building the setup program (i686-w64-mingw32)"
build_win32 VantorSaelin-Setup
PROGRAM=$WIN_DIR/installer/program/VantorSaelin-Setup.exe
[ -f "$PROGRAM" ] || die "the build produced no $PROGRAM"

if [ -n "${DISPLAY:-}" ]; then
    step "running $PROGRAM on $DISPLAY"
    run_wine "$PROGRAM"
    exit 0
fi

trap 'stop_wine; stop_display' EXIT
start_display
step "running $PROGRAM on the virtual display $DISPLAY"
run_wine "$PROGRAM" &
# Give the window time to appear and finish its fade-in.
sleep "${SCREENSHOT_DELAY:-6}"
SHOT_DIR=$BUILD_ROOT/screenshots
mkdir -p "$SHOT_DIR"
SHOT=$SHOT_DIR/installer-$(date +%Y%m%d-%H%M%S).png
import -display "$DISPLAY" -window root "$SHOT" || die "could not take a screenshot"
echo "screenshot: $SHOT"
