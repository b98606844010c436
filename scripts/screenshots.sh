#!/usr/bin/env bash
# Shows the main window under a virtual X server (1280x1024x24, openbox) and saves screenshots of
# its states to screenshots/ (or $SCREENSHOTS_DIR): Ready after start-up, Running with the left
# button held over the right half, Paused with the computed results, and Ready again after RESET.
# The program inherits the environment, so a desktop can be chosen, e.g. a dark one with
# QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark, or a dense screen with QT_SCALE_FACTOR=2.
#
#   scripts/screenshots.sh [build-dir]      (default: build-screenshots in the repository)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-screenshots}
out=${SCREENSHOTS_DIR:-$repo/screenshots}
mkdir -p "$out"

if [[ ! -x $build/startup/tallymere ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
ninja -C "$build" -j2 tallymere >/dev/null

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/private-display.sh"
start_private_display
pids+=("$XVFB_PID")
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

QT_QPA_PLATFORM=xcb "$build/startup/tallymere" >/dev/null 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name 'Tallymere \(Version' | head -1)
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
sleep 1

shot() {
    import -window root "$out/$1.png"
    echo "saved $out/$1.png"
}

shot 1-ready

# Start with SPACE (the start button has the focus), then hold the left button over the right
# half of the screen, where the instructions were, for a second and a half.
xdotool key space
sleep 0.3
xdotool mousemove 1100 600
sleep 0.2
xdotool mousedown 1
sleep 1.5
shot 2-running-left-held
xdotool mouseup 1

# A cluttering interval with the right button, then pause.
xdotool mousedown 3
sleep 1
xdotool mouseup 3
sleep 0.4
xdotool key space
sleep 0.5
shot 3-paused

# RESET with the mouse: the button's designed box starts at 600/1695 twips (40/113 pixels) in
# the client area, which lies below the menu bar (about 22 pixels high in Fusion).
xdotool mousemove --window "$window" 68 $((113 + ${MENU_BAR_HEIGHT:-22} + 9))
sleep 0.2
xdotool click 1
sleep 0.4
shot 4-after-reset
xdotool key space
sleep 0.6
shot 5-running-again
