#!/usr/bin/env bash
# End to end with the real server and two real clients on 127.0.0.1: each types a name and
# the server's address on the on-screen keyboard and connects, both lobbies list both names,
# one START begins the game for both, and each shows the other's units ringed in the other's
# colour; then A ends, the server drops it, and its units die on B's screen.
# Usage: together.sh <cogmire> <cogmireServer> <source root> <output folder>; needs a
# display (with-x.sh) and UDP port 9999.
set -u
. "$(dirname "$0")/../window.sh"
. "$(dirname "$0")/pixels.sh"
cogmire=$1
server=$2
source=$3
out=$4
rm -rf "$out"
for c in a b; do
    mkdir -p "$out/$c"
    for d in gfx bgm sfx; do
        [ -d "$source/$d" ] && cp -r "$source/$d" "$out/$c/"
    done
done
start=$SECONDS

pids=()
fail() {
    echo "FAIL: $*" >&2
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    sed 's/^/server: /' "$out/server.log" >&2
    exit 1
}
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done' EXIT

"$server" 2 2>"$out/server.log" &
pids+=($!)
for _ in $(seq 50); do grep -q 'Server running' "$out/server.log" && break; sleep 0.1; done
grep -q 'Server running' "$out/server.log" || fail "the server did not start"

# Client c (a or b) runs in its own folder; its window is found by its process.
declare -A wid cursorRow cursorColumn
launch() {
    (cd "$out/$1" && exec "$cogmire" >"$out/$1.log" 2>&1) &
    pids+=($!)
    # SDL makes and drops windows while it starts: wait for a shown one that has the caption.
    local w="" n
    for _ in $(seq 300); do
        for n in $(xdotool search --onlyvisible --pid $! 2>/dev/null); do
            [ "$(xdotool getwindowname "$n" 2>/dev/null)" = "Cogmire SDL OpenGL" ] && w=$n
        done
        [ -n "$w" ] && break
        sleep 0.1
    done
    [ -n "$w" ] || fail "no window for client $1"
    wid[$1]=$w
    cursorRow[$1]=3
    cursorColumn[$1]=9
}
launch a
launch b
xdotool windowmove "${wid[b]}" 320 480

# The two windows overlap: the one in use is raised, focused and under the pointer. The
# pointer stays out of the other's area, so that one client's end gives the other no focus
# (SDL would then read the Escape still held as its own).
use() {
    xdotool windowraise "${wid[$1]}"
    xdotool mousemove --window "${wid[$1]}" 20 200
    xdotool windowfocus "${wid[$1]}"
    sleep 0.2
}
press() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
    sleep "${2:-0.35}"
}
shot() {
    use "$1"
    timeout 20 import -window "${wid[$1]}" "$out/$2.png" 2>/dev/null
}

# waitFor client name seconds command...: screenshots until the check passes.
waitFor() {
    local c=$1 name=$2 seconds=$3
    shift 3
    local end=$((SECONDS + seconds))
    while [ $SECONDS -lt $end ]; do
        shot "$c" "$name"
        "$@" "$name" && return 0
        sleep 0.3
    done
    fail "$name: the screen did not show within $seconds s"
}

# The lobby lists slot n's name at half its colour from x 240 in row 91 + 42 n.
nameListed() {
    local rgb=("127 0 0" "62 93 55")
    [ "$(count "$1" ${rgb[$2]} 230 $((79 + 42 * $2)) 200 24)" -gt 15 ]
}
lobbyShows() { nameListed "$1" 0 && nameListed "$1" 1; }
playShows() { [ "$(count "$1" 7 65 114 0 0 960 544)" -gt 1000 ]; }
# Enemy rings: pixels of the other player's colour in the play area.
rings() { count "$1" "$2" "$3" "$4" 0 0 960 544; }

# Types text on the on-screen keyboard (4 rows of 10 keys), moving the key cursor there.
keys=(1234567890 ABCDEFGHIJ KLMNOPQRST 'UVWXYZ...@')
typeText() {
    local c=$1 text=$2 i ch row col k
    for ((i = 0; i < ${#text}; i++)); do
        ch=${text:i:1}
        for row in 0 1 2 3; do
            k=${keys[row]%%"$ch"*}
            [ ${#k} -lt 10 ] && break
        done
        col=${#k}
        for ((k = cursorRow[$c]; k < row; k++)); do press Down 0.1; done
        for ((k = cursorRow[$c]; k > row; k--)); do press Up 0.1; done
        for ((k = cursorColumn[$c]; k < col; k++)); do press Right 0.1; done
        for ((k = cursorColumn[$c]; k > col; k--)); do press Left 0.1; done
        cursorRow[$c]=$row
        cursorColumn[$c]=$col
        press a 0.1
    done
}

# Main menu, MULTIPLAYER, NAME, SERVER, CONNECT.
join() {
    use "$1"
    press Down
    press Return 1
    press Up
    press Up
    press Up
    press Return 0.8
    typeText "$1" "$2"
    press Return 0.5
    press Down
    press Return 0.8
    typeText "$1" 127.0.0.1
    press Return 0.5
    press Down
    press Return
}

waitFor a menuA 40 mainMenuShows
waitFor b menuB 20 mainMenuShows
echo "both main menus show"
join a AN
join b BO
waitFor a lobbyA 10 lobbyShows
waitFor b lobbyB 10 lobbyShows
echo "both lobbies list both names"
grep -q '^MAIN: Got a new client "AN" 127.0.0.1:100[0-3][0-9] (0)\.$' "$out/server.log" &&
    grep -q '^MAIN: Got a new client "BO" 127.0.0.1:100[0-3][0-9] (1)\.$' "$out/server.log" ||
    fail "the server did not log both joins"

use a
press Up
press Return 1
waitFor a playA 10 playShows
waitFor b playB 10 playShows
grep -q '^MAIN: A game has begun!$' "$out/server.log" || fail "the server did not log the begin"
echo "both play"

# Zoomed in a little so that the rings are larger. A (red) shows nothing green of its own,
# so green there is B's rings; B's own health bars are red, so A's rings on B's screen are
# what goes when A's units do.
for c in a b; do
    use "$c"
    xdotool keydown r
    sleep 0.8
    xdotool keyup r
done
sleep 1
shot a togetherA
shot b togetherB
convert "$out/togetherA.png" "$out/togetherB.png" +append "$out/together.png"
[ "$(rings togetherA 124 187 110)" -gt 40 ] || fail "A does not show B's units"
echo "A shows B's units"

# A ends; the server drops it after its unanswered pings; B shows A's units dying, then gone.
use a
press Escape 0
ended=$SECONDS
sleep 0.5
kill -0 "${pids[2]}" 2>/dev/null || { wait "${pids[2]}"; fail "B ended with A, status $?"; }
for _ in $(seq 100); do
    grep -q '^NOINCOMINGTRAFFIC: AN (0) timed out\.$' "$out/server.log" && break
    sleep 0.1
done
grep -q 'AN (0) timed out' "$out/server.log" || fail "the server did not drop A"
echo "the server dropped A $((SECONDS - ended)) s after it ended"
shot b dyingB
sleep 2.5
shot b goneB
red=$(rings togetherB 255 0 0)
dying=$(rings dyingB 255 0 0)
gone=$(rings goneB 255 0 0)
echo "red pixels on B's screen: $red playing, $dying dying, $gone gone"
[ $((red - gone)) -gt 40 ] || fail "B did not show A's units"
[ $((dying - gone)) -gt 40 ] || fail "A's units were gone at once"
echo "B showed A's units, then their death"

use b
press Escape 0
kill -TERM "${pids[0]}"
wait "${pids[0]}" || fail "the server ended with status $?"
echo "PASS in $((SECONDS - start)) s"
