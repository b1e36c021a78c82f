# Shared by the build, run and test scripts. Source it; it sets ROOT, BUILD_ROOT, NATIVE_DIR,
# FUZZ_DIR and the Wine environment, and knows the two Windows architectures:
#   win32  i686-w64-mingw32, the product; needs a host that runs 32-bit x86 code
#   win64  x86_64-w64-mingw32, the same program and tests built for 64-bit Windows
# Each architecture has its own tree ($BUILD_ROOT/<arch>) and liblzma. Programs of both run in one
# Wine prefix that is a 64-bit Windows ($BUILD_ROOT/wineprefix-win64): the 32-bit program through
# WoW64, as on most of its users' machines. Hosts that run 32-bit code also get a 32-bit Windows
# ($BUILD_ROOT/wineprefix-win32) for the end-to-end tests of the 32-bit program.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_ROOT=${VS_BUILD_ROOT:-$ROOT/build}
NATIVE_DIR=$BUILD_ROOT/native
FUZZ_DIR=$BUILD_ROOT/fuzz
JOBS=${JOBS:-$(nproc)}
ALL_ARCHES="win32 win64"
# What setup found out about this host: one line per architecture, "<arch> yes" or
# "<arch> no <reason>".
HOST_ARCHES_FILE=$BUILD_ROOT/host-arches
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Programs under Wine run in code page 936 (the tests set this for themselves); the build and its
# messages keep the machine's own locale.
WINE_LOCALE=zh_CN.UTF-8

step() { printf '\033[1;34m==> %s\033[0m\n' "$*"; }
die() {
    printf '\033[1;31m%s\033[0m\n' "$*" >&2
    exit 1
}

arch_triplet() { [ "$1" = win64 ] && echo x86_64-w64-mingw32 || echo i686-w64-mingw32; }
arch_cpu() { [ "$1" = win64 ] && echo x86_64 || echo i686; }
arch_loader() { [ "$1" = win64 ] && echo /usr/lib/wine/wine64 || echo /usr/lib/wine/wine; }
arch_tree() { echo "$BUILD_ROOT/$1"; }
# The prefix a tree's programs run in: the 64-bit Windows for both architectures.
arch_prefix() { echo "$BUILD_ROOT/wineprefix-win64"; }
WINDOWS32_PREFIX=$BUILD_ROOT/wineprefix-win32

# Whether this host runs programs of the architecture, and why not, from setup's findings.
arch_runs() { grep -qx "$1 yes" "$HOST_ARCHES_FILE" 2>/dev/null; }
# The first of the selected architectures that runs on this host; nothing when none does.
first_runnable_arch() {
    local candidate
    for candidate in $(selected_arches); do
        if arch_runs "$candidate"; then
            echo "$candidate"
            return 0
        fi
    done
    return 1
}
arch_skip_reason() {
    local line
    line=$(grep "^$1 no " "$HOST_ARCHES_FILE" 2>/dev/null | head -n 1)
    echo "${line#"$1 no "}"
}

# The architectures a run covers: VS_ARCHES (space or comma separated) or both.
selected_arches() {
    local arch
    for arch in ${VS_ARCHES:-$ALL_ARCHES}; do
        arch=${arch//,/ }
        for a in $arch; do
            case "$a" in
            win32 | win64) echo "$a" ;;
            *) die "VS_ARCHES: unknown architecture '$a' (use win32, win64)" ;;
            esac
        done
    done
}

# Points the Wine environment at one architecture's loader and prefix.
use_arch() {
    WIN_ARCH=$1
    WIN_DIR=$(arch_tree "$1")
    WINE_LOADER=$(arch_loader "$1")
    export WINEPREFIX WINELOADER
    WINEPREFIX=$(arch_prefix "$1")
    WINELOADER=$WINE_LOADER
}
run_wine() { LC_ALL=$WINE_LOCALE "$WINE_LOADER" "$@"; }

configure_and_build() { # dir, extra cmake args..., then -- targets...
    local dir=$1
    shift
    local args=() targets=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        args+=("$1")
        shift
    done
    [ "${1:-}" = -- ] && shift
    targets=("$@")
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$dir" "${args[@]}" >/dev/null || die "cmake could not configure $dir"
    fi
    if [ ${#targets[@]} -gt 0 ]; then
        cmake --build "$dir" -j "$JOBS" --target "${targets[@]}" || die "build failed in $dir"
    else
        cmake --build "$dir" -j "$JOBS" || die "build failed in $dir"
    fi
}

build_native() { configure_and_build "$NATIVE_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -- "$@"; }
build_win() { # arch, targets...
    local arch=$1
    shift
    configure_and_build "$(arch_tree "$arch")" \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$(arch_triplet "$arch").cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -- "$@"
}
build_win32() { build_win win32 "$@"; }
build_win64() { build_win win64 "$@"; }
build_fuzz() {
    CC=clang CXX=clang++ configure_and_build "$FUZZ_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_FUZZ=ON \
        -- "$@"
}

# A virtual X display of our own; XVFB_PID is set so stop_display can end it.
XVFB_PID=
start_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
    done
    die "could not start Xvfb"
}

stop_display() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# Keeps one wineserver for the whole run of an architecture and lets Wine start its own services
# before any test: started by the first program of a run, they would inherit that program's output
# pipe and keep CTest waiting for it to close. Call use_arch first.
start_wine() {
    wineserver -p >/dev/null 2>&1 || true
    run_wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    # The desktop process starts with the first program that asks for the desktop.
    local driver=$WIN_DIR/tools/uidriver/uidriver.exe
    if [ -f "$driver" ] && [ -n "${DISPLAY:-}" ]; then
        run_wine "$driver" list </dev/null >/dev/null 2>&1 || true
    fi
}

stop_wine() { [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true; }

# A fresh copy of the architecture's ready prefix at build/wineprefix-<arch>-<name>, with Wine's
# desktop integration (winemenubuilder, no part of any installer's work) off, running on a display
# of its own until the script ends.
start_fresh_wine() { # arch, name
    use_arch "$1"
    WINEPREFIX=$BUILD_ROOT/wineprefix-$1-$2
    bash "$ROOT/cmake/fresh-wine-prefix.sh" "$(arch_prefix "$1")" "$WINEPREFIX" >/dev/null
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
    trap 'stop_wine; stop_display' EXIT
    start_display
    start_wine
}
