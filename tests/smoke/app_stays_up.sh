#!/usr/bin/env bash
# Starts the program offscreen and checks that it comes up and keeps running until it is told to
# stop: a crash or an early exit at start-up fails.
set -u
app=$1
export QT_QPA_PLATFORM=offscreen
timeout --signal=TERM 5 "$app"
status=$?
if [[ $status -eq 124 ]]; then
    echo "tallymere ran for 5 s and was stopped"
    exit 0
fi
echo "tallymere ended on its own with status $status" >&2
exit 1
