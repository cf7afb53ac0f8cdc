# Shell helpers for the tests that drive the real client in an X server; sourced.

# Prints the id of the client's window, waiting up to 30 s for it. Searching while SDL
# makes its windows can hit one that is already gone, which ends xdotool with an X error:
# search again until the window is there.
clientWindow() {
    local wid=""
    for _ in $(seq 300); do
        wid=$(xdotool search --name '^Cogmire SDL OpenGL$' 2>/dev/null | head -n 1)
        [ -n "$wid" ] && break
        sleep 0.1
    done
    echo "$wid"
}

# Runs a command until it succeeds, for up to the seconds given: poll seconds command...
poll() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.2
    done
}
