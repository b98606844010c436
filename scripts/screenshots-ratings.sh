#!/bin/bash
# Shows the rating window under Xvfb (1280x1024x24, openbox), presses a few bars with real X mouse
# events (left, right and middle button), and takes two screenshots: with the numbers shown and
# after Hide. Usage: scripts/screenshots-ratings.sh <build-dir> [<out-dir>]
set -euo pipefail
build=${1:?build directory}
out=${2:-$build/screenshots}
mkdir -p "$out"
preview="$build/tests/windows/ratings_preview"
[ -x "$preview" ] || { echo "build ratings_preview first" >&2; exit 1; }

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/private-display.sh"
start_private_display
pids+=("$XVFB_PID")
display=$DISPLAY
DISPLAY=$display openbox & pids+=($!)
sleep 1
positions="$out/bars.txt"
DISPLAY=$display QT_QPA_PLATFORM=xcb "$preview" --hide-after 7000 >"$positions" & pids+=($!)
sleep 3

# press <bar> <X> <button>: a press at column X of the bar's drawing area (2-pixel edge), mid-height.
press() {
    read -r _ x y < <(grep "^$1 " "$positions")
    DISPLAY=$display xdotool mousemove $((x + 2 + $2)) $((y + 12)) click "$3"
    sleep 0.3
}
press SpeakingRateScale 0 1
press RateRegularityScale 778 3
press DisfluencyScale 389 2
press NaturalnessScale 100 1
press NaturalnessScale 600 1   # moves the Naturalness mark
press ThoughtOrganizationScale 700 1
DISPLAY=$display xdotool mousemove 1200 1000
sleep 1
DISPLAY=$display import -window root "$out/ratings-shown.png"
sleep 5
DISPLAY=$display import -window root "$out/ratings-hidden.png"
echo "screenshots in $out"
