#!/usr/bin/env bash
# Installs what the build and the tests need, and only what is missing:
#   1. Debian packages (with i386 multiarch for 32-bit Wine),
#   2. liblzma cross-built for i686-w64-mingw32 from Debian's xz-utils source package,
#   3. a Wine prefix in the build tree (code page 936, Chinese font replacements).
# Safe to run again; every step checks first. Usage: tools/setup.sh [build-root]
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${1:-${VS_BUILD_ROOT:-$ROOT/build}}
DEPS=$BUILD_ROOT/deps
PREFIX_DIR=$BUILD_ROOT/wineprefix

step() { printf '\033[1;34m==> %s\033[0m\n' "$*"; }
fail() {
    printf '\033[1;31msetup failed: %s\033[0m\n' "$*" >&2
    exit 1
}

PACKAGES=(wine wine32:i386 wine64 g++-mingw-w64-i686 mingw-w64-i686-dev xvfb xdotool
    imagemagick fonts-wqy-zenhei liblzma-dev xz-utils cmake g++ make dpkg-dev clang
    libclang-rt-14-dev googletest python3 pkg-config locales)

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
    apt-get update -q || fail "apt-get update did not reach Debian's archive"
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing ||
        fail "apt-get could not install: $(echo "$missing" | tr '\n' ' ')"
    missing=$(missing_packages)
    [ -z "$missing" ] || fail "still missing after install: $(echo "$missing" | tr '\n' ' ')"
}

ensure_deb_src() {
    local list=/etc/apt/sources.list.d/debian-src.sources
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    step "apt: adding a deb-src entry ($list)"
    [ -f /etc/apt/sources.list.d/debian.sources ] ||
        fail "no /etc/apt/sources.list.d/debian.sources to derive a deb-src entry from"
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$list"
    apt-get update -q || fail "apt-get update failed after adding deb-src"
}

build_liblzma() {
    local out=$DEPS/liblzma-i686
    if [ -f "$out/lib/liblzma.a" ] && [ -f "$out/include/lzma.h" ]; then
        step "liblzma for i686-w64-mingw32: present ($out)"
        return
    fi
    step "liblzma for i686-w64-mingw32: building from Debian's xz-utils source"
    mkdir -p "$DEPS/src"
    if ! ls "$DEPS"/src/xz-utils_*.orig.tar.xz >/dev/null 2>&1; then
        ensure_deb_src
        (cd "$DEPS/src" && apt-get source --download-only xz-utils) ||
            fail "could not download the xz-utils source package"
    fi
    local tarball srcdir
    tarball=$(ls "$DEPS"/src/xz-utils_*.orig.tar.xz | head -n 1)
    rm -rf "$DEPS/src/unpacked" && mkdir -p "$DEPS/src/unpacked"
    tar -C "$DEPS/src/unpacked" -xf "$tarball"
    srcdir=$(ls -d "$DEPS"/src/unpacked/xz-* | head -n 1)
    cmake -S "$srcdir" -B "$DEPS/build-lzma" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/i686-w64-mingw32.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$out" >/dev/null ||
        fail "configuring liblzma failed"
    cmake --build "$DEPS/build-lzma" --target liblzma -j "$(nproc)" >"$DEPS/liblzma-build.log" 2>&1 || fail "building liblzma failed"
    mkdir -p "$out/lib" "$out/include"
    cp "$DEPS/build-lzma/liblzma.a" "$out/lib/"
    cp -r "$srcdir/src/liblzma/api/lzma.h" "$srcdir/src/liblzma/api/lzma" "$out/include/"
}

create_wine_prefix() {
    if [ -f "$PREFIX_DIR/.vs-ready" ]; then
        step "Wine prefix: present ($PREFIX_DIR)"
        return
    fi
    step "Wine prefix: creating $PREFIX_DIR (code page 936, font replacements)"
    rm -rf "$PREFIX_DIR"
    mkdir -p "$PREFIX_DIR"
    export WINEPREFIX=$PREFIX_DIR WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LC_ALL=zh_CN.UTF-8
    wineboot -i >/dev/null 2>&1 || fail "wineboot could not create the prefix"
    local reg=$BUILD_ROOT/fonts.reg
    # Written in UTF-8 and converted, so that regedit reads the font name in code page 936.
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"宋体"="WenQuanYi Zen Hei"\r\n"SimSun"="WenQuanYi Zen Hei"\r\n"Tahoma"="WenQuanYi Zen Hei"\r\n"MS Shell Dlg"="WenQuanYi Zen Hei"\r\n"Microsoft YaHei"="WenQuanYi Zen Hei"\r\n"微软雅黑"="WenQuanYi Zen Hei"\r\n' |
        iconv -f UTF-8 -t GBK >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1 || fail "regedit could not import the font replacements"
    wineserver -w
    touch "$PREFIX_DIR/.vs-ready"
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
    locale-gen >/dev/null || fail "locale-gen could not generate zh_CN.UTF-8"
}

check_tools() {
    local t
    for t in cmake i686-w64-mingw32-g++-posix wine Xvfb import xz; do
        command -v "$t" >/dev/null || fail "tool not found after setup: $t"
    done
}

install_packages
generate_locale
check_tools
mkdir -p "$BUILD_ROOT"
build_liblzma
create_wine_prefix
step "setup complete"
