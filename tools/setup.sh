#!/usr/bin/env bash
# Installs what the build and the tests need, and only what is missing:
#   1. Debian packages (with i386 multiarch for 32-bit Wine), the zh_CN.UTF-8 locale,
#   2. which Windows architectures this host can run (some hosts run no 32-bit x86 code at all),
#   3. per architecture: liblzma cross-built from Debian's xz-utils source package,
#   4. Wine prefixes (code page 936, Chinese font replacements): a 64-bit Windows where any
#      architecture runs (the 32-bit program runs there through WoW64), and a 32-bit Windows where
#      the host runs 32-bit code.
# Safe to run again; every step checks first. VS_ARCHES limits the architectures prepared.
# Usage: tools/setup.sh [build-root]
set -euo pipefail

[ $# -gt 0 ] && export VS_BUILD_ROOT=$1
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
DEPS=$BUILD_ROOT/deps
LOGS=$BUILD_ROOT/setup-logs

fail() {
    printf '\033[1;31msetup failed: %s\033[0m\n' "$*" >&2
    exit 1
}
# Runs a command with its output in a log; on failure shows the log's last lines and stops.
logged() { # log name, description, command...
    local log=$LOGS/$1.log what=$2
    shift 2
    mkdir -p "$LOGS"
    if ! "$@" >"$log" 2>&1; then
        printf '\033[1;31msetup failed: %s\033[0m\n' "$what" >&2
        echo "last lines of $log:" >&2
        tail -n 15 "$log" | sed 's/^/    /' >&2
        exit 1
    fi
}

PACKAGES=(wine wine32:i386 wine64 g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64
    mingw-w64-x86-64-dev xvfb xdotool imagemagick fonts-wqy-zenhei liblzma-dev xz-utils cmake g++
    make dpkg-dev clang libclang-rt-14-dev googletest python3 pkg-config locales osslsigncode
    openssl)

missing_packages() {
    local p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' ||
            printf '%s\n' "$p"
    done
}

install_packages() {
    local missing
    missing=$(missing_packages)
    if [ -z "$missing" ]; then
        step "Debian packages: all present"
        return
    fi
    step "Debian packages: installing $(echo "$missing" | tr '\n' ' ')"
    [ "$(id -u)" = 0 ] || fail "installing packages needs root; missing: $(echo "$missing" | tr '\n' ' ')"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    logged apt-update "apt-get update did not reach Debian's archive" apt-get update -q
    # shellcheck disable=SC2086
    logged apt-install "apt-get could not install: $(echo "$missing" | tr '\n' ' ')" \
        env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
    missing=$(missing_packages)
    [ -z "$missing" ] || fail "still missing after install: $(echo "$missing" | tr '\n' ' ')"
}

# Wine maps file names through the Unix locale: without a generated zh_CN.UTF-8 it reports code
# page 936 but cannot open a file whose name holds Chinese characters.
generate_locale() {
    if locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
        step "locale zh_CN.UTF-8: present"
        return
    fi
    step "locale zh_CN.UTF-8: generating"
    sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
    logged locale-gen "locale-gen could not generate zh_CN.UTF-8" locale-gen
}

check_tools() {
    local t
    for t in cmake i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix /usr/lib/wine/wine64 \
        Xvfb import xz; do
        command -v "$t" >/dev/null || fail "tool not found after setup: $t"
    done
}

# Each Wine loader is asked for its version: a host whose kernel runs no 32-bit code refuses the
# 32-bit loader with "Exec format error". Asked once; the answer is kept in $HOST_ARCHES_FILE.
probe_host_arches() {
    local arch loader out
    if [ -f "$HOST_ARCHES_FILE" ]; then
        step "architectures this host runs: $(grep ' yes$' "$HOST_ARCHES_FILE" | cut -d' ' -f1 | tr '\n' ' ')"
        return
    fi
    : >"$HOST_ARCHES_FILE.new"
    for arch in $ALL_ARCHES; do
        loader=$(arch_loader "$arch")
        if out=$("$loader" --version 2>&1); then
            echo "$arch yes" >>"$HOST_ARCHES_FILE.new"
        else
            out=$(printf '%s' "$out" | tail -n 1 | sed 's/^.*: //')
            [ -n "$out" ] || out="$loader does not start"
            if [ "$arch" = win32 ]; then
                out="this host cannot run 32-bit x86 programs ($out; the kernel's IA-32 emulation is off or missing)"
            fi
            echo "$arch no $out" >>"$HOST_ARCHES_FILE.new"
        fi
    done
    mv "$HOST_ARCHES_FILE.new" "$HOST_ARCHES_FILE"
    for arch in $ALL_ARCHES; do
        if arch_runs "$arch"; then
            step "$arch: this host runs it"
        else
            printf '\033[1;33m==> %s: skipped, %s\033[0m\n' "$arch" "$(arch_skip_reason "$arch")"
        fi
    done
    arch_runs win64 || arch_runs win32 || fail "no Wine loader starts on this host: $(arch_skip_reason win64)"
}

xz_source_dir() {
    if ! ls "$DEPS"/src/xz-utils_*.orig.tar.xz >/dev/null 2>&1; then
        ensure_deb_src
        mkdir -p "$DEPS/src"
        (cd "$DEPS/src" && logged xz-source "could not download the xz-utils source package" \
            apt-get source --download-only xz-utils)
    fi
    if ! ls -d "$DEPS"/src/unpacked/xz-* >/dev/null 2>&1; then
        rm -rf "$DEPS/src/unpacked" && mkdir -p "$DEPS/src/unpacked"
        tar -C "$DEPS/src/unpacked" -xf "$(ls "$DEPS"/src/xz-utils_*.orig.tar.xz | head -n 1)"
    fi
    ls -d "$DEPS"/src/unpacked/xz-* | head -n 1
}

ensure_deb_src() {
    local list=/etc/apt/sources.list.d/debian-src.sources
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    step "apt: adding a deb-src entry ($list)" >&2
    [ -f /etc/apt/sources.list.d/debian.sources ] ||
        fail "no /etc/apt/sources.list.d/debian.sources to derive a deb-src entry from"
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$list"
    logged apt-update-src "apt-get update failed after adding deb-src" apt-get update -q
}

# How the program's liblzma is built. The program decodes raw LZMA1 alone, so the other filters'
# decoders stay out of the table that would pull them all in; every function sits in a section
# of its own for the linker to drop what is unused; 32-bit code needs no unwind tables without
# exceptions (64-bit Windows does). A change here rebuilds the library (the stamp below).
liblzma_c_flags() { # arch
    local flags="-ffunction-sections -fdata-sections" filter
    for filter in ARM ARMTHUMB ARM64 DELTA IA64 LZMA2 POWERPC SPARC X86; do
        flags+=" -UHAVE_DECODER_$filter"
    done
    [ "$1" = win32 ] && flags+=" -fno-asynchronous-unwind-tables"
    echo "$flags"
}

build_liblzma() { # arch
    local arch=$1 cpu triplet out srcdir flags
    cpu=$(arch_cpu "$arch")
    triplet=$(arch_triplet "$arch")
    out=$DEPS/liblzma-$cpu
    flags=$(liblzma_c_flags "$arch")
    if [ -f "$out/lib/liblzma.a" ] && [ -f "$out/include/lzma.h" ] &&
        [ "$(cat "$out/build-flags" 2>/dev/null)" = "$flags" ]; then
        step "liblzma for $triplet: present ($out)"
        return
    fi
    step "liblzma for $triplet: building from Debian's xz-utils source"
    srcdir=$(xz_source_dir)
    rm -rf "$DEPS/build-lzma-$cpu"
    logged "liblzma-$cpu-configure" "configuring liblzma for $triplet failed" \
        cmake -S "$srcdir" -B "$DEPS/build-lzma-$cpu" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$triplet.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$out" \
        -DCMAKE_C_FLAGS="$flags"
    logged "liblzma-$cpu-build" "building liblzma for $triplet failed" \
        cmake --build "$DEPS/build-lzma-$cpu" --target liblzma -j "$JOBS"
    mkdir -p "$out/lib" "$out/include"
    cp "$DEPS/build-lzma-$cpu/liblzma.a" "$out/lib/"
    cp -r "$srcdir/src/liblzma/api/lzma.h" "$srcdir/src/liblzma/api/lzma" "$out/include/"
    echo "$flags" >"$out/build-flags"
}

# A ready prefix: made by wineboot, then code page 936's font names mapped to a font the host has.
create_wine_prefix() { # prefix, WINEARCH, loader, description
    local prefix=$1 winearch=$2 loader=$3 what=$4
    if [ -f "$prefix/.vs-ready" ]; then
        step "Wine prefix ($what): present ($prefix)"
        return
    fi
    step "Wine prefix ($what): creating $prefix (code page 936, font replacements)"
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
    mkdir -p "$prefix"
    # 64-bit Wine on a host without 32-bit support complains about syswow64's rundll32 while
    # booting; the prefix is complete nevertheless, so success is judged by its registry files.
    WINEPREFIX=$prefix WINEARCH=$winearch LC_ALL=$WINE_LOCALE "$loader" wineboot -i \
        >"$LOGS/wineboot-$winearch.log" 2>&1 || true
    WINEPREFIX=$prefix wineserver -w || true
    if [ ! -f "$prefix/system.reg" ] || [ ! -d "$prefix/drive_c/windows" ]; then
        printf '\033[1;31msetup failed: wineboot could not create the %s prefix\033[0m\n' "$what" >&2
        echo "last lines of $LOGS/wineboot-$winearch.log:" >&2
        tail -n 15 "$LOGS/wineboot-$winearch.log" | sed 's/^/    /' >&2
        exit 1
    fi
    local reg=$BUILD_ROOT/fonts.reg
    # Written in UTF-8 and converted, so that regedit reads the font name in code page 936.
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"宋体"="WenQuanYi Zen Hei"\r\n"SimSun"="WenQuanYi Zen Hei"\r\n"Tahoma"="WenQuanYi Zen Hei"\r\n"MS Shell Dlg"="WenQuanYi Zen Hei"\r\n"Microsoft YaHei"="WenQuanYi Zen Hei"\r\n"微软雅黑"="WenQuanYi Zen Hei"\r\n' |
        iconv -f UTF-8 -t GBK >"$reg"
    logged "regedit-$winearch" "regedit could not import the font replacements ($what)" \
        env WINEPREFIX="$prefix" LC_ALL="$WINE_LOCALE" "$loader" regedit /S "$reg"
    WINEPREFIX=$prefix wineserver -w
    touch "$prefix/.vs-ready"
}

mkdir -p "$BUILD_ROOT" "$LOGS"
install_packages
generate_locale
check_tools
probe_host_arches
for arch in $(selected_arches); do
    build_liblzma "$arch"
done
# One 64-bit Windows for the programs of both architectures (the 32-bit ones through WoW64), and
# a 32-bit Windows for the 32-bit program's end-to-end tests where the host runs 32-bit code.
if first_runnable_arch >/dev/null; then
    create_wine_prefix "$(arch_prefix win64)" win64 "$(arch_loader win64)" "64-bit Windows"
fi
if selected_arches | grep -qx win32 && arch_runs win32; then
    create_wine_prefix "$WINDOWS32_PREFIX" win32 "$(arch_loader win32)" "32-bit Windows"
fi
step "setup complete"
