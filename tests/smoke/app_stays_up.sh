#!/usr/bin/env bash
# Starts the program on an X display of its own and checks that it comes up and answers: its main
# window appears, and File > Exit, typed as a user types it, ends it with status 0. A crash or an
# early exit at start-up fails, and so does a program that hangs: it never shows its window, or
# never answers the keys.
set -u
app=$1

unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# shellcheck source=../../scripts/private-display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/private-display.sh"
pid=
XVFB_PID=
trap 'kill $pid $XVFB_PID 2>/dev/null; wait 2>/dev/null' EXIT
start_private_display || exit 1

# Waits up to 20 s for a command to succeed.
within_20s() {
    for _ in $(seq 200); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

"$app" &
pid=$!
title='^Tallymere \(Version 2\.02; Special  Release for QEFA, October 2005\)$'
if ! within_20s xdotool search --onlyvisible --name "$title"; then
    echo "tallymere showed no main window within 20 s" >&2
    exit 1
fi
if ! kill -0 "$pid" 2>/dev/null; then
    echo "tallymere ended after showing its window" >&2
    exit 1
fi
window=$(xdotool search --onlyvisible --name "$title" | head -n 1)
# With no window manager, the keyboard goes where the input focus is set.
xdotool windowfocus --sync "$window"
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
shown=$(windows)
menu_open() { [[ $(windows) -gt $shown ]]; }
xdotool key --clearmodifiers alt+f
if ! within_20s menu_open; then
    echo "tallymere did not open its File menu within 20 s of alt+f: it does not answer" >&2
    exit 1
fi
xdotool key e

for _ in $(seq 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        status=$?
        pid=
        if [[ $status -ne 0 ]]; then
            echo "tallymere ended with status $status on File > Exit" >&2
            exit 1
        fi
        echo "tallymere came up, answered its keys and ended on File > Exit"
        exit 0
    fi
    sleep 0.1
done
echo "tallymere was still running 20 s after File > Exit" >&2
exit 1
