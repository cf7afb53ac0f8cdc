# Shell helpers for the tests that drive the real programs in an X server; sourced, with $out
# (the output folder) set. Every program a script starts is watched: any failure, and any
# program that ends on its own, ends the script at once with every program's output shown.

declare -A pids=() wids=()
stopAll() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; }
trap stopAll EXIT

# Starts a program in the background, its output to $out/name.log: launch name command...
launch() {
    "${@:2}" >"$out/$1.log" 2>&1 &
    pids[$1]=$!
}

# Ends the script (and so the programs) with a screenshot of each client's window
# (failed-name.png) and every log of the output folder shown.
fail() {
    local n log
    echo "FAIL: $*" >&2
    for n in "${!wids[@]}"; do
        timeout 10 import -window "${wids[$n]}" "$out/failed-$n.png" 2>/dev/null
    done
    for log in "$out"/*.log; do
        [ -f "$log" ] && sed "s|^|${log##*/}: |" "$log" >&2
    done
    exit 1
}

# Fails if a program started here has ended (it is then no longer watched).
alive() {
    local n status
    for n in "${!pids[@]}"; do
        kill -0 "${pids[$n]}" 2>/dev/null && continue
        wait "${pids[$n]}"
        status=$?
        unset "pids[$n]" "wids[$n]"
        fail "$n ended with status $status"
    done
}

# Runs a command until it succeeds, for up to the seconds given: poll seconds command...
poll() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        alive
        [ $SECONDS -lt $end ] || return 1
        sleep 0.2
    done
}

# Expects a program to end by itself within the seconds given, with status 0: ended name s.
ended() {
    local end=$((SECONDS + $2))
    while kill -0 "${pids[$1]}" 2>/dev/null; do
        [ $SECONDS -lt $end ] || fail "$1 did not end within $2 s"
        sleep 0.2
    done
    wait "${pids[$1]}" || fail "$1 ended with status $?"
    unset "pids[$1]" "wids[$1]"
}

# Waits for the shown window with the client's caption of a program started as name, and
# keeps its id in wids. SDL makes and drops windows while it starts, so a search can hit
# one that is already gone: search again until it is there.
clientWindow() {
    local w
    for _ in $(seq 300); do
        w=$(xdotool search --all --onlyvisible --pid "${pids[$1]}" --name '^Cogmire SDL OpenGL$' \
            2>/dev/null | head -n 1)
        [ -n "$w" ] && wids[$1]=$w && return
        alive
        sleep 0.1
    done
    fail "no window for $1"
}

# A screenshot of a client's window to $out/file.png: snap name file. An import on a window
# that has gone can hang: it is given up after 10 s.
snap() {
    alive
    timeout 10 import -window "${wids[$1]}" "$out/$2.png" 2>/dev/null
}

# The client reads the keyboard once a frame, so a key is held across several frames (a
# held key acts only on its first frame, so holding it longer does no harm), and is then up
# across a few more: a next press that came sooner would merge with this one.
press() {
    alive
    xdotool keydown "$1"
    sleep 0.5
    xdotool keyup "$1"
    sleep "${2:-0.4}"
}
