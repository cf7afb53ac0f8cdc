# Shell helpers for the end-to-end tests that drive one real client: start it, take
# screenshots and wait for a screen; sourced after window.sh, with $cogmire (the program)
# and $out (the output folder) set.
. "$(dirname "${BASH_SOURCE[0]}")/pixels.sh"

# A fresh output folder with a copy of the data folders that the source root holds, and the
# client's working directory in it: runFolder source.
runFolder() {
    rm -rf "$out"
    mkdir -p "$out/run"
    for d in gfx bgm sfx; do
        [ -d "$1/$d" ] && cp -r "$1/$d" "$out/run/"
    done
    cd "$out/run" || exit 1
}

# Starts the client as cogmire<run> (its log cogmire<run>.log) and waits for its window.
# Variables set on the call (a sound configuration) reach the client.
client=""
start() {
    client=cogmire$1
    launch "$client" "$cogmire"
    clientWindow "$client"
    # No window manager runs here: put the pointer over the window and give it the focus.
    xdotool mousemove --window "${wids[$client]}" 20 20
    xdotool windowfocus "${wids[$client]}"
}

shot() { snap "$client" "$1"; }

# Takes screenshots until a check passes, for up to the seconds given: firstShot name
# seconds command...
firstShot() {
    local name=$1 end=$((SECONDS + $2))
    shift 2
    until shot "$name" && "$@"; do
        [ $SECONDS -lt $end ] || fail "$name: the screen did not show in time"
        sleep 0.2
    done
}

# Takes screenshots until a check passes twice, 0.6 s apart, so that the last screenshot
# shows the screen at rest rather than scrolling through: waitFor name command...
waitFor() {
    local end=$((SECONDS + 60))
    until firstShot "$1" 60 "${@:2}" && sleep 0.6 && shot "$1" && "${@:2}"; do
        [ $SECONDS -lt $end ] || fail "$1: the screen did not come to rest"
    done
}

# Escape ends the client with status 0 within the seconds given (10 by default).
quit() {
    press Escape 0
    ended "$client" "${1:-10}"
}
