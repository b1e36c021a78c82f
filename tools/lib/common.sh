# Shared by the build, run and test scripts. Source it; it sets:
#   ROOT, BUILD_ROOT, NATIVE_DIR, WIN_DIR, WINEPREFIX and the Wine environment.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_ROOT=${VS_BUILD_ROOT:-$ROOT/build}
NATIVE_DIR=$BUILD_ROOT/native
WIN_DIR=$BUILD_ROOT/win32
FUZZ_DIR=$BUILD_ROOT/fuzz
JOBS=${JOBS:-$(nproc)}
export WINEPREFIX=$BUILD_ROOT/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Programs under Wine run in code page 936 (the tests set this for themselves); the build and its
# messages keep the machine's own locale.
WINE_LOCALE=zh_CN.UTF-8
run_wine() { LC_ALL=$WINE_LOCALE wine "$@"; }

step() { printf '\033[1;34m==> %s\033[0m\n' "$*"; }
die() {
    printf '\033[1;31m%s\033[0m\n' "$*" >&2
    exit 1
}

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
build_win32() {
    configure_and_build "$WIN_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/i686-w64-mingw32.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -- "$@"
}
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

# Keeps one wineserver for the whole run and lets Wine start its own services before any test:
# started by the first program of a run, they would inherit that program's output pipe and
# keep CTest waiting for it to close.
start_wine() {
    wineserver -p >/dev/null 2>&1 || true
    run_wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    # The desktop process starts with the first program that asks for the desktop.
    local driver=$WIN_DIR/tools/uidriver/uidriver.exe
    if [ -f "$driver" ] && [ -n "${DISPLAY:-}" ]; then
        run_wine "$driver" list </dev/null >/dev/null 2>&1 || true
    fi
}

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }
