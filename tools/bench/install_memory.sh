#!/usr/bin/env bash
# The silent install's peak memory against the decoded image of the demo product, in one fresh
# Wine prefix on a virtual display. Three installers run, each through install_memory (which
# starts it and reads its peaks, see install_memory_win32.cpp), RUNS times, medians printed:
#
#   tiny      the stub with a payload of one small text file: the stub's own footprint
#             (its code, Wine's libraries, the install's fixed work)
#   made      the stub with the demo product appended by vspack make-installer
#   shipped   the shipped program, VantorSaelin-Setup.exe, which the build makes the same way
#
# and the aim for each full install: peak <= 1.1 x (image + program). The program of "made" is
# "tiny"; that of "shipped" is the same file started with a switch it refuses: loaded, nothing
# installed. (A payload linked into the program's image would be loaded whole with it.)
#
# Peak working set counts every resident page, shared ones (code, mapped files) included; peak
# private bytes (PeakPagefileUsage) only the process's own. Under Wine both come from the Unix
# process (VmHWM and RssAnon); Wine's private figure is the highest value sampled while it ran.
#
#   tools/bench/install_memory.sh [runs]     runs of each installer, default 3
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/common.sh"

RUNS=${1:-3}
[[ $RUNS =~ ^[1-9][0-9]*$ ]] || die "usage: install_memory.sh [runs]"
WORK=$BUILD_ROOT/install-memory
INSTALL_DIR='C:\Memory\VantorFenWix'

median() { # numbers...
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
mib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }

# The last four bytes of a payload container: the image size it decodes to.
image_size() { od -An -tu4 -j $(($(stat -c %s "$1") - 4)) -N4 "$1" | tr -d ' '; }

# One silent run from an empty install directory; prints "working_set private" in bytes.
measure_once() { # expected exit code, installer's Windows path, extra switch
    local dir out status
    dir="$WINEPREFIX/drive_c/Memory/VantorFenWix"
    rm -rf "$dir"
    out=$(run_wine "$WIN_DIR/tools/bench/install_memory.exe" "$2" /S "/D=$INSTALL_DIR" ${3:+"$3"} \
        </dev/null 2>/dev/null | tr -d '\r')
    status=$(awk '$1 == "exit_code" { print $2 }' <<<"$out")
    [ "$status" = "$1" ] || die "$2 ended with exit code ${status:-?}, not $1"
    # The updater the install starts writes its list; wait for it outside the figures.
    for _ in $(seq 50); do
        [ -f "$dir/updatelist.xml" ] || [ ! -f "$dir/AutoUpdate.exe" ] && break
        sleep 0.1
    done
    awk '$1 == "peak_working_set" { w = $2 } $1 == "peak_pagefile" { p = $2 }
         $1 == "sampled_private" { s = $2 }
         END { print w, (p > s ? p : s) }' <<<"$out"
}

# Sets WS_<name> and PRIV_<name> to the medians of RUNS runs.
measure() { # name, expected exit code, installer's Windows path, extra switch
    local run line ws=() priv=()
    for run in $(seq "$RUNS"); do
        line=$(measure_once "$2" "$3" "${4:-}") || exit 1
        ws+=("${line% *}")
        priv+=("${line#* }")
    done
    eval "WS_$1=$(median "${ws[@]}")"
    eval "PRIV_$1=$(median "${priv[@]}")"
}

place_in_prefix() { # host path -> Windows path
    mkdir -p "$WINEPREFIX/drive_c/memory-installers"
    cp "$1" "$WINEPREFIX/drive_c/memory-installers/"
    printf 'C:\\memory-installers\\%s\n' "$(basename "$1")"
}

report_line() { # label, working set, private, image, program working set, program private
    local aim_ws aim_priv
    aim_ws=$(awk -v p="$2" -v i="$4" -v g="$5" 'BEGIN { printf "%.2f", p / (i + g) }')
    aim_priv=$(awk -v p="$3" -v i="$4" -v g="$6" 'BEGIN { printf "%.2f", p / (i + g) }')
    printf '  %-34s %7s MiB  %7s MiB   %8s   %8s\n' "$1" "$(mib "$2")" "$(mib "$3")" \
        "$aim_ws" "$aim_priv"
}

main() {
    bash "$ROOT/tools/setup.sh" "$BUILD_ROOT" >/dev/null || die "setup failed"
    local arch
    arch=$(VS_ARCHES=win32,win64 first_runnable_arch) || die "this host runs no Windows program"
    step "building the programs ($arch)"
    mkdir -p "$WORK"
    build_win "$arch" VantorSaelin-Setup VantorSaelin-Stub install_memory >"$WORK/build.log" 2>&1 ||
        die "the build failed, see $WORK/build.log"
    local tree stub vspack stage payload
    tree=$(arch_tree "$arch")
    stub=$tree/program/VantorSaelin-Stub.exe
    vspack=$BUILD_ROOT/host-tools/tools/packer/vspack
    stage=$tree/resources/payload/product
    payload=$tree/resources/payload/payload.bin

    step "making the tiny and the made installers (vspack make-installer)"
    rm -rf "$WORK/tiny" && mkdir -p "$WORK/tiny"
    printf 'one small file\r\n' >"$WORK/tiny/readme.txt"
    "$vspack" make-installer "$WORK/tiny" --stub "$stub" --out "$WORK/tiny-setup.exe" --quiet
    "$vspack" make-installer "$stage" --stub "$stub" --out "$WORK/made-setup.exe" --tune --quiet
    cp "$tree/program/VantorSaelin-Setup.exe" "$WORK/shipped-setup.exe"

    step "a fresh Wine prefix ($arch)"
    start_fresh_wine "$arch" install-memory

    step "measuring: $RUNS silent installs of each installer"
    # The tiny install cannot start the updater it does not carry: exit code 6, files in place.
    measure tiny 6 "$(place_in_prefix "$WORK/tiny-setup.exe")"
    measure made 0 "$(place_in_prefix "$WORK/made-setup.exe")"
    local shipped
    shipped=$(place_in_prefix "$WORK/shipped-setup.exe")
    measure shipped_idle 2 "$shipped" /NoSuchSwitch
    measure shipped 0 "$shipped"

    local image
    image=$(image_size "$payload")
    echo
    echo "silent install's peak memory, medians of $RUNS runs, Wine prefix $arch:"
    echo "  image: the demo product's decoded archive image, $image bytes ($(mib "$image") MiB)"
    printf '  %-34s %11s  %11s   %8s   %8s\n' "" "working set" "private" "ws/(i+p)" \
        "pr/(i+p)"
    printf '  %-34s %7s MiB  %7s MiB\n' "program: stub, tiny payload" "$(mib "$WS_tiny")" \
        "$(mib "$PRIV_tiny")"
    report_line "made (stub + appended payload)" "$WS_made" "$PRIV_made" "$image" \
        "$WS_tiny" "$PRIV_tiny"
    printf '  %-34s %7s MiB  %7s MiB\n' "program: shipped, switch refused" \
        "$(mib "$WS_shipped_idle")" "$(mib "$PRIV_shipped_idle")"
    report_line "shipped (VantorSaelin-Setup.exe)" "$WS_shipped" "$PRIV_shipped" "$image" \
        "$WS_shipped_idle" "$PRIV_shipped_idle"
    echo "  aim: peak / (image + program) at most 1.10"
}

main
