#!/usr/bin/env bash
# Builds the setup program and runs it under Wine: on your X display when DISPLAY is set,
# otherwise on a virtual display of its own, where it takes a screenshot and says where it is.
# It runs the 32-bit program, the product, where the host can run 32-bit code, and the 64-bit
# build of the same program where it cannot (or when VS_ARCHES=win64 asks for it).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

bash "$ROOT/tools/setup.sh" "$BUILD_ROOT" || exit 1
arch=$(first_runnable_arch)
[ -n "$arch" ] || die "none of the architectures asked for runs on this host (VS_ARCHES=${VS_ARCHES:-})"
if [ "$arch" = win64 ] && ! arch_runs win32; then
    step "running the 64-bit build: $(arch_skip_reason win32)"
fi

use_arch "$arch"
step "building the setup program ($arch, $(arch_triplet "$arch"))"
build_win "$arch" VantorSaelin-Setup
PROGRAM=$WIN_DIR/program/VantorSaelin-Setup.exe
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
SHOT=$SHOT_DIR/installer-$arch-$(date +%Y%m%d-%H%M%S).png
import -display "$DISPLAY" -window root "$SHOT" || die "could not take a screenshot"
echo "screenshot: $SHOT"
