# Shell helpers for the end-to-end tests that drive the real client: start it, press keys,
# take screenshots and count pixels of a colour in them; sourced after window.sh, with
# $cogmire (the program) and $out (the output folder) set.

pid=""
wid=""
fail() {
    echo "FAIL: $*" >&2
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    exit 1
}

# Starts the client and waits for its window; run is the log file's number.
start() {
    "$cogmire" >"$out/cogmire$1.log" 2>&1 &
    pid=$!
    wid=$(clientWindow)
    [ -n "$wid" ] || fail "no window"
    # No window manager runs here: put the pointer over the window and give it the focus.
    xdotool mousemove --window "$wid" 20 20
    xdotool windowfocus "$wid"
}

# The client reads the keyboard once a frame, so a key is held across several frames (a
# held key acts only on its first frame, so holding it longer does no harm).
press() {
    xdotool keydown "$1"
    sleep 0.25
    xdotool keyup "$1"
    sleep "${2:-0.4}"
}

shot() { import -window "$wid" "$out/$1.png" 2>/dev/null; }

# Pixels of the screenshot within 24 per channel of a colour: count name r g b x y w h,
# x y w h a rectangle of the window.
count() {
    convert "$out/$1.png" -alpha off -crop "${7}x${8}+${5}+${6}" +repage -depth 8 txt:- |
        awk -F'[(),]' -v r="$2" -v g="$3" -v b="$4" 'BEGIN { n = 0 }
            NR > 1 { d1 = $3 - r; d2 = $4 - g; d3 = $5 - b
                     if (d1 < 24 && d1 > -24 && d2 < 24 && d2 > -24 && d3 < 24 && d3 > -24) n++ }
            END { print n }'
}

# Screen positions of the menu plane in the 960 by 544 window: text lies where the
# visible area spans x -80 to 80 and y -45 to 45 around the screen's anchor.
px() { echo $((480 + $1 * 6)); }
py() { awk -v y="$1" 'BEGIN { printf "%d", 272 + y * 544 / 90 }'; }

# Item-coloured pixels in a text row at plane y from plane x x0 to x1.
itemRow() {
    local y
    y=$(py "$2")
    count "$1" 254 206 59 "$(px "$3")" $((y - 12)) $(($(px "$4") - $(px "$3"))) 24
}

# Takes screenshots until a check passes twice, 0.6 s apart, so that the last screenshot
# shows the screen at rest rather than scrolling through: waitFor name seconds command...
waitFor() {
    local name=$1 seconds=$2
    shift 2
    local end=$((SECONDS + seconds))
    while [ $SECONDS -lt $end ]; do
        shot "$name"
        if "$@"; then
            sleep 0.6
            shot "$name"
            "$@" && return 0
        fi
        sleep 0.3
    done
    fail "$name: the screen did not show within $seconds s"
}

mainMenuShows() {
    [ "$(count "$1" 254 206 59 440 100 80 50)" -gt 20 ] || return 1 # the logo
    for y in 0 7 14 21; do
        [ "$(itemRow "$1" "$y" -16 16)" -gt 30 ] || return 1
    done
}
quit() {
    press Escape 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$pid" 2>/dev/null && fail "Escape did not end the client"
    wait "$pid" || fail "the client ended with status $?"
    pid=""
}

