#!/usr/bin/env bash
# Runs one Windows test program under Wine on its own: in a fresh copy of a ready Wine prefix
# (its own wineserver, registry, clipboard, desktop and files) and on a virtual display of its
# own, so that test programs can run side by side without meeting each other's windows, input
# or settings. Everything it started is stopped and the copy removed when the program ends.
#   run-wine-test.sh <wine loader> <ready prefix> <scratch prefix> <program> [arguments...]
# (VS_KEEP_TEST_PREFIX=1 keeps the copy for a look afterwards.)
# The program's output goes through a file: processes Wine starts on the side (services, the
# desktop) inherit the output handles, and a pipe they held would keep CTest waiting.
set -u
loader=$1 ready=$2 prefix=$3
shift 3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

scratch=$(mktemp -d)
xvfb_pid=
hooked=
cleanup() {
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    [ -n "$hooked" ] && bash "$VS_TEST_PREFIX_HOOK" stop "$prefix" >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -f "$prefix.xvfb-pid"
    [ -n "${VS_KEEP_TEST_PREFIX:-}" ] || rm -rf "$prefix"
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

bash "$here/fresh-wine-prefix.sh" "$ready" "$prefix" >/dev/null || exit 1
# A test may ask for more in its prefix (VS_TEST_PREFIX_HOOK: a script called with "start" and
# the prefix now, and with "stop" when the test has ended).
if [ -n "${VS_TEST_PREFIX_HOOK:-}" ]; then
    hooked=yes
    bash "$VS_TEST_PREFIX_HOOK" start "$prefix" || exit 1
fi

# -displayfd lets Xvfb take the first free display itself, so parallel tests never race for one;
# it writes the number once the display accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
echo "$xvfb_pid" >"$prefix.xvfb-pid"
for _ in $(seq 200); do
    [ -s "$scratch/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
[ -s "$scratch/display" ] || { echo "run-wine-test: Xvfb did not start" >&2; exit 1; }

export WINEPREFIX=$prefix DISPLAY=:$(head -n 1 "$scratch/display")
"$loader" "$@" >"$scratch/output" 2>&1 </dev/null
rc=$?
cat "$scratch/output"
exit $rc
