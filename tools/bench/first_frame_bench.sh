#!/usr/bin/env bash
# The time from process start to the wizard's first complete frame under Wine, against a program
# that only shows a window of the same size, both measured in the same run on a virtual display
# of its own (see first_frame_bench_win32.cpp for how a frame is judged complete).
#
#   tools/bench/first_frame_bench.sh [RUNS]      (default 9; VS_ARCHES picks the architecture)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/common.sh"

runs=${1:-9}
arch=$(first_runnable_arch)
[ -n "$arch" ] || die "none of the architectures asked for runs on this host"
use_arch "$arch"
step "building ($arch)"
build_win "$arch" VantorSaelin-Setup plain_window first_frame_bench uidriver
trap 'stop_wine; stop_display' EXIT
start_display
start_wine
step "measuring $runs runs each"
run_wine "$WIN_DIR/tools/bench/first_frame_bench.exe" "$runs" \
    "$WIN_DIR/program/VantorSaelin-Setup.exe" FenWix \
    "$WIN_DIR/tools/bench/plain_window.exe" PlainWindow
