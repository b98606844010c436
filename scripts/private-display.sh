# Sourced by scripts that need an X display of their own: start_private_display starts Xvfb
# (1280x1024x24) on a display number no other server has, which Xvfb chooses itself, exports
# DISPLAY, sets XVFB_PID and waits up to 30 s until the server answers. It never resets
# (-noreset): an X server resets when its last client leaves, and refuses connections meanwhile,
# so the client that checked it answers would otherwise leave it resetting under the next one.
# Fails with a message saying which step did not happen.
start_private_display() {
    local named
    named=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$named" 2>/dev/null &
    XVFB_PID=$!
    local waited
    for waited in $(seq 300); do
        [[ -s $named ]] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    DISPLAY=:$(head -n 1 "$named")
    rm -f "$named"
    export DISPLAY
    if [[ $DISPLAY == : ]]; then
        echo "Xvfb named no display (after $((waited / 10)) s)" >&2
        return 1
    fi
    for waited in $(seq 300); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb on $DISPLAY did not answer within 30 s" >&2
    return 1
}
