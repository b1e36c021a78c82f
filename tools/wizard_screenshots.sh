#!/usr/bin/env bash
# Screenshots of the wizard as a person sees it, on a virtual display of its own: as a new user
# first sees it, each title-bar button under the mouse, with the menu open, and with a message
# box over it (the chat-group hint), and while the install unpacks (in a scratch copy of the Wine
# prefix, slowed down so the moment is visible). Input goes through X (xdotool), as a person's
# would.
#
#   tools/wizard_screenshots.sh [OUTPUT_DIR]      (default build/screenshots/wizard)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

out=${1:-$BUILD_ROOT/screenshots/wizard}
mkdir -p "$out"
arch=$(first_runnable_arch)
[ -n "$arch" ] || die "none of the architectures asked for runs on this host"
use_arch "$arch"
# The tests' build of the program, which takes a pause per progress report from its
# environment, shows the install half way.
build_win "$arch" VantorSaelin-Setup VantorSaelin-Setup-test || exit 1
trap 'stop_wine; stop_display' EXIT
start_display
start_wine
run_wine reg delete 'HKCU\Software\VantorFenWix' /f >/dev/null 2>&1 # a new user
run_wine "$WIN_DIR/program/VantorSaelin-Setup.exe" &
sleep 6
window=$(xdotool search --onlyvisible --name 'VantorSaelin' | head -1)
[ -n "$window" ] || die "the wizard did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"
# The window with the shadow's margin round it.
shoot() { # name, extra pause
    sleep "${2:-0.6}"
    import -display "$DISPLAY" -window root -crop 480x360+$((X - 10))+$((Y - 10)) "$out/$1.png"
    echo "$out/$1.png"
}
xdotool mousemove 5 5
shoot new-user
for button in close:439 minimise:411 menu:383 chat-group:355; do
    xdotool mousemove $((X + ${button#*:})) $((Y + 11))
    shoot "hover-${button%%:*}"
done
xdotool mousemove $((X + 383)) $((Y + 11)) click 1
shoot menu-open 1
xdotool key Escape
sleep 0.5
xdotool mousemove $((X + 355)) $((Y + 11)) click 1
sleep 2
import -display "$DISPLAY" -window root "$out/message-box-full.png"
shoot message-box
xdotool key Return
sleep 0.5
xdotool mousemove $((X + 439)) $((Y + 11)) click 1
sleep 2

# Installing: the progress bar under the button, half way.
stop_wine
base_prefix=$WINEPREFIX
export WINEPREFIX=$base_prefix-shots
bash "$ROOT/cmake/fresh-wine-prefix.sh" "$base_prefix" "$WINEPREFIX" >/dev/null
start_wine
VANTORSAELIN_TEST_PROGRESS_PAUSE_MS=250 run_wine "$WIN_DIR/tests/program/VantorSaelin-Setup-test.exe" &
installer=$!
sleep 6
window=$(xdotool search --onlyvisible --name 'VantorSaelin' | head -1)
[ -n "$window" ] || die "the wizard did not appear for the install"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 230)) $((Y + 285)) click 1
shoot installing 4
wait "$installer" # not the display, which runs until the end
stop_wine
rm -rf "$WINEPREFIX"
