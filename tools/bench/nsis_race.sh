#!/usr/bin/env bash
# The whole silent install of the demo product by this program, next to an NSIS installer of the
# same files that does the same work (the five settings, the auto-start value, three shortcuts,
# the uninstall entry, an uninstaller, the updater started), packed as solid LZMA with a 64 MiB
# dictionary like ours. Both run silently (/S /D=...) from the same folder of one fresh Wine
# prefix on a virtual display, started alternately; the script prints the medians of their wall
# times (process start to exit, Wine's start included for both) and the sizes of the two
# installers, ours stripped of its debugging symbols as it would ship. Wine's desktop
# integration (winemenubuilder, which Wine starts for every shortcut saved) is switched off for
# both: it is no part of either installer's work and has no counterpart on Windows. Last, it
# runs tools/bench/install_memory.sh: our install's peak memory against the decoded image.
#
# NSIS installers are 32-bit programs. On a host that cannot run 32-bit programs the script says
# so and compares nothing: it still builds the NSIS installer (so the script is known to work)
# and times this program's 64-bit build alone.
#
#   tools/bench/nsis_race.sh [runs]        runs of each installer, default 7
#
# Installs Debian's nsis package (makensis) when it is missing; sets the machine up like the
# test script does (tools/setup.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../lib/common.sh"

RUNS=${1:-7}
[[ $RUNS =~ ^[1-9][0-9]*$ ]] || die "usage: nsis_race.sh [runs]"
RACE_DIR=$BUILD_ROOT/nsis-race
INSTALL_DIR='C:\Race\VantorFenWix'

# Like tools/setup.sh: apt-get with its output in a log, shown when it fails.
ensure_makensis() {
    command -v makensis >/dev/null && return
    step "installing Debian's nsis (makensis)"
    [ "$(id -u)" = 0 ] || die "makensis is missing; install Debian's nsis package (needs root)"
    mkdir -p "$RACE_DIR"
    local log=$RACE_DIR/apt-nsis.log
    if ! { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q nsis; } \
        >"$log" 2>&1; then
        tail -n 15 "$log" | sed 's/^/    /' >&2
        die "apt-get could not install nsis, see $log"
    fi
    command -v makensis >/dev/null || die "nsis is installed but makensis is not on the PATH"
}

# The NSIS script: the same files and the same changes to the machine as our install with every
# option at its default. UTF-8 with a byte-order mark, as makensis reads Unicode scripts.
write_nsis_script() { # stage folder, output installer, script path
    local stage=$1 output=$2 script=$3
    local uninstall_key='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\VantorFenWix'
    local description='一样的世界，不一样的精彩。'
    {
        printf '\xEF\xBB\xBF'
        cat <<EOF
Unicode true
SetCompressor /SOLID /FINAL lzma
SetCompressorDictSize 64
Name "VantorSaelin"
OutFile "$output"
InstallDir "\$PROGRAMFILES\\Korrel\\VantorFenWix"
RequestExecutionLevel admin
Page directory
Page instfiles

Section "Install"
  SetShellVarContext all
  SetOutPath "\$INSTDIR"
  File /r "$stage/*"
  WriteRegStr HKCU "Software\\VantorFenWix" "AutoStartup" "1"
  WriteRegStr HKCU "Software\\VantorFenWix" "CreatDesktopShortcut" "1"
  WriteRegStr HKCU "Software\\VantorFenWix" "CreatStartMenuShortcut" "1"
  WriteRegStr HKCU "Software\\VantorFenWix" "RemoveOldConfigFiles" "0"
  WriteRegStr HKCU "Software\\VantorFenWix" "InstallPath" "\$INSTDIR"
  WriteRegStr HKCU "Software\\Microsoft\\Windows\\CurrentVersion\\Run" "VantorFenwix" '"\$INSTDIR\\VantorFenwix.exe"'
  CreateShortcut "\$DESKTOP\\VantorSaelin.lnk" "\$INSTDIR\\VantorFenwix.exe" "" "" 0 SW_SHOWNORMAL "" "$description"
  CreateDirectory "\$SMPROGRAMS\\Korrel\\VantorFenWix"
  CreateShortcut "\$SMPROGRAMS\\Korrel\\VantorFenWix\\VantorSaelin.lnk" "\$INSTDIR\\VantorFenwix.exe" "" "" 0 SW_SHOWNORMAL "" "$description"
  CreateShortcut "\$SMPROGRAMS\\Korrel\\VantorFenWix\\卸载.lnk" "\$INSTDIR\\uninstall.exe" "" "" 0 SW_SHOWNORMAL "" "$description"
  WriteRegStr HKLM "$uninstall_key" "Comments" "一款界面简洁，功能强大的Vantor辅助工具。"
  WriteRegStr HKLM "$uninstall_key" "DisplayIcon" "\$INSTDIR\\VantorFenwix.exe"
  WriteRegStr HKLM "$uninstall_key" "DisplayName" "VantorSaelin"
  WriteRegStr HKLM "$uninstall_key" "HelpLink" "https://www.zemlo.example/vantorsaelin/"
  WriteRegStr HKLM "$uninstall_key" "InstallLocation" "\$INSTDIR\\"
  WriteRegStr HKLM "$uninstall_key" "Publisher" "Zemlo"
  WriteRegStr HKLM "$uninstall_key" "UninstallPath" "\$INSTDIR\\uninstall.exe"
  WriteRegStr HKLM "$uninstall_key" "UninstallString" "\$INSTDIR\\uninstall.exe"
  WriteRegStr HKLM "$uninstall_key" "URLInfoAbout" "https://www.zemlo.example/vantorsaelin/"
  WriteUninstaller "\$INSTDIR\\uninstall.exe"
  Exec '"\$INSTDIR\\AutoUpdate.exe"'
SectionEnd

Section "Uninstall"
  RMDir /r "\$INSTDIR"
SectionEnd
EOF
    } >"$script"
}

build_nsis_installer() { # stage folder -> path of the installer
    local stage=$1 script=$RACE_DIR/vantorsaelin.nsi output=$RACE_DIR/VantorSaelin-NSIS.exe
    mkdir -p "$RACE_DIR"
    rm -f "$output"
    write_nsis_script "$stage" "$output" "$script"
    makensis -V2 "$script" >"$RACE_DIR/makensis.log" 2>&1 ||
        die "makensis failed, see $RACE_DIR/makensis.log"
    [ -s "$output" ] || die "makensis wrote no installer"
    echo "$output"
}

file_size() { stat -c %s "$1"; }

# An NSIS installer is its stub, then its data from the first "NullsoftInst" header on (the
# header's signature sits 8 bytes into it, after its flags and 0xDEADBEEF).
nsis_payload_size() { # installer
    local at
    at=$(grep -obUaP 'NullsoftInst' "$1" | head -n 1 | cut -d: -f1)
    [ -n "$at" ] || die "no NSIS data found in $1"
    echo $(($(file_size "$1") - (at - 8)))
}

median() { # numbers...
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

seconds() { awk -v ms="$1" 'BEGIN { printf "%.3f", ms / 1000 }'; }

# The install directory as the host sees it.
host_install_dir() { echo "$WINEPREFIX/drive_c/Race/VantorFenWix"; }

# One silent install from an empty install directory; prints its wall time in milliseconds.
# The updater it starts runs on; its list is waited for, outside the time, before the next run.
timed_install() { # installer's Windows path
    local dir start end status=0
    dir=$(host_install_dir)
    rm -rf "$dir"
    start=$(date +%s%N)
    run_wine "$1" /S "/D=$INSTALL_DIR" </dev/null >/dev/null 2>&1 || status=$?
    end=$(date +%s%N)
    [ "$status" = 0 ] || die "$1 ended with exit code $status"
    [ -f "$dir/VantorCore.dll" ] || die "$1 did not install the product's files"
    for _ in $(seq 100); do
        [ -f "$dir/updatelist.xml" ] && break
        sleep 0.1
    done
    sleep 0.3
    echo $(((end - start) / 1000000))
}

# Copies the installers into the prefix, so that both start from the same folder of drive C:.
place_in_prefix() { # host path -> Windows path
    mkdir -p "$WINEPREFIX/drive_c/race-installers"
    cp "$1" "$WINEPREFIX/drive_c/race-installers/"
    printf 'C:\\race-installers\\%s\n' "$(basename "$1")"
}

# Runs the installers in turn (the order alternating), RUNS times each; sets TIMES_<n> to the
# list of wall times of installer n.
race() { # installer Windows paths...
    local run i ms order
    local -a installers=("$@")
    for i in "${!installers[@]}"; do eval "TIMES_$i=()"; done
    for run in $(seq "$RUNS"); do
        order=("${!installers[@]}")
        if [ $((run % 2)) = 0 ] && [ ${#installers[@]} = 2 ]; then order=(1 0); fi
        for i in "${order[@]}"; do
            # A failed install ends the script: its die only leaves the command substitution.
            ms=$(timed_install "${installers[$i]}") || exit 1
            eval "TIMES_$i+=($ms)"
        done
        printf '.' >&2
    done
    echo >&2
}

main() {
    bash "$ROOT/tools/setup.sh" "$BUILD_ROOT" >/dev/null || die "setup failed"
    ensure_makensis
    local arch=win32 compare=yes
    if ! arch_runs win32; then
        arch=win64
        compare=no
    fi
    arch_runs "$arch" || die "this host runs neither Windows architecture under Wine"

    step "building this program ($arch)"
    mkdir -p "$RACE_DIR"
    build_win "$arch" VantorSaelin-Setup >"$RACE_DIR/build.log" 2>&1 ||
        die "the build failed, see $RACE_DIR/build.log"
    local ours stage payload
    ours=$RACE_DIR/VantorSaelin-Setup.exe
    # The build leaves the program stripped, as it ships.
    cp "$(arch_tree "$arch")/program/VantorSaelin-Setup.exe" "$ours"
    stage=$(arch_tree "$arch")/resources/payload/product
    payload=$(arch_tree "$arch")/resources/payload/payload.bin

    step "building the NSIS installer of the same files (makensis, solid LZMA, 64 MiB dictionary)"
    local nsis
    nsis=$(build_nsis_installer "$stage")

    step "a fresh Wine prefix ($arch) for the race"
    start_fresh_wine "$arch" nsis-race

    local ours_win nsis_win
    ours_win=$(place_in_prefix "$ours")
    if [ "$compare" = yes ]; then
        nsis_win=$(place_in_prefix "$nsis")
        step "racing: $RUNS silent installs each, alternating"
        race "$ours_win" "$nsis_win"
    else
        step "timing this program alone: $RUNS silent installs"
        race "$ours_win"
    fi

    local ours_ms ours_size nsis_size ours_payload nsis_payload
    ours_ms=$(median "${TIMES_0[@]}")
    ours_size=$(file_size "$ours")
    nsis_size=$(file_size "$nsis")
    ours_payload=$(file_size "$payload")
    nsis_payload=$(nsis_payload_size "$nsis")
    echo
    echo "silent install of the demo product ($(find "$stage" -type f | wc -l) files," \
        "$(du -sb "$stage" | cut -f1) bytes), median of $RUNS runs, Wine prefix $arch:"
    printf '  %-28s %9s s   installer %10s bytes = program %8s + payload %9s\n' \
        "this program ($arch)" "$(seconds "$ours_ms")" "$ours_size" \
        "$((ours_size - ours_payload))" "$ours_payload"
    if [ "$compare" = yes ]; then
        local nsis_ms
        nsis_ms=$(median "${TIMES_1[@]}")
        printf '  %-28s %9s s   installer %10s bytes = program %8s + payload %9s\n' \
            "NSIS $(makensis -VERSION)" "$(seconds "$nsis_ms")" "$nsis_size" \
            "$((nsis_size - nsis_payload))" "$nsis_payload"
        printf '  %-28s %9s     installer %10s\n' "ratio this program / NSIS" \
            "$(awk -v a="$ours_ms" -v b="$nsis_ms" 'BEGIN { printf "%.2f", a / b }')" \
            "$(awk -v a="$ours_size" -v b="$nsis_size" 'BEGIN { printf "%.2f", a / b }')"
    else
        printf '  %-28s %9s     installer %10s bytes = program %8s + payload %9s (built, not run)\n' \
            "NSIS $(makensis -VERSION)" "-" "$nsis_size" "$((nsis_size - nsis_payload))" \
            "$nsis_payload"
        printf '  %-28s %9s     installer %10s\n' "ratio this program / NSIS" "-" \
            "$(awk -v a="$ours_size" -v b="$nsis_size" 'BEGIN { printf "%.2f", a / b }')"
        echo
        echo "Nothing compared: $(arch_skip_reason win32)."
        echo "The NSIS installer is a 32-bit program, so it was built but not run; the time above"
        echo "is this program's 64-bit build alone. Run the script on a host that runs 32-bit"
        echo "programs for the race."
    fi
    echo
    step "the install's peak memory against the image (tools/bench/install_memory.sh)"
    bash "$ROOT/tools/bench/install_memory.sh" 3
}

main
