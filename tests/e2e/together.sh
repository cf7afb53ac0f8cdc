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

declare -A cursorRow=([a]=3 [b]=3) cursorColumn=([a]=9 [b]=9)
launch server "$server" 2
logged() { grep -q "$1" "$out/server.log"; }
poll 30 logged 'Server running' || fail "the server did not start"

# Client c (a or b) runs in its own folder.
for c in a b; do
    cd "$out/$c" && launch "$c" "$cogmire" && clientWindow "$c"
done
xdotool windowmove "${wids[b]}" 320 480

# The two windows overlap: the one in use is raised, focused and under the pointer. The
# pointer stays out of the other's area, so that one client's end gives the other no focus
# (SDL would then read the Escape still held as its own).
use() {
    xdotool windowraise "${wids[$1]}"
    xdotool mousemove --window "${wids[$1]}" 20 200
    xdotool windowfocus "${wids[$1]}"
    sleep 0.2
}
shot() {
    use "$1"
    snap "$1" "$2"
}

# waitFor client name command...: screenshots until the check passes, for up to a minute.
waitFor() {
    local c=$1 name=$2 end=$((SECONDS + 60))
    shift 2
    until shot "$c" "$name" && "$@" "$name"; do
        [ $SECONDS -lt $end ] || fail "$name: the screen did not show within a minute"
        sleep 0.2
    done
}

# The lobby lists slot n's name at half its colour from x 240 in row 91 + 42 n.
nameListed() {
    local rgb=("127 0 0" "62 93 55")
    [ "$(count "$1" ${rgb[$2]} 230 $((79 + 42 * $2)) 200 24)" -gt 15 ]
}
lobbyShows() { nameListed "$1" 0 && nameListed "$1" 1; }
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
        for ((k = cursorRow[$c]; k < row; k++)); do press Down; done
        for ((k = cursorRow[$c]; k > row; k--)); do press Up; done
        for ((k = cursorColumn[$c]; k < col; k++)); do press Right; done
        for ((k = cursorColumn[$c]; k > col; k--)); do press Left; done
        cursorRow[$c]=$row
        cursorColumn[$c]=$col
        press a
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

waitFor a menuA mainMenuShows
waitFor b menuB mainMenuShows
echo "both main menus show"
join a AN
join b BO
waitFor a lobbyA lobbyShows
waitFor b lobbyB lobbyShows
echo "both lobbies list both names"
grep -q '^MAIN: Got a new client "AN" 127.0.0.1:100[0-3][0-9] (0)\.$' "$out/server.log" &&
    grep -q '^MAIN: Got a new client "BO" 127.0.0.1:100[0-3][0-9] (1)\.$' "$out/server.log" ||
    fail "the server did not log both joins"

use a
press Up
press Return 1
waitFor a playA playShows
waitFor b playB playShows
poll 30 logged '^MAIN: A game has begun!$' || fail "the server did not log the begin"
echo "both play"

# Zoomed in a little so that the rings are larger. A (red) shows nothing green of its own,
# so green there is B's rings; B's own health bars are red, flat and thin, so the red that
# stays after those are opened away on B's screen is A's rings.
for c in a b; do
    use "$c"
    xdotool keydown r
    sleep 0.8
    xdotool keyup r
done
showsB() { [ "$(count "$1" 124 187 110 0 0 960 544)" -gt 40 ]; }
waitFor a togetherA showsB
redRings() {
    convert "$1" -alpha off -fuzz 10% -fill white -opaque "rgb(255,0,0)" -fuzz 0 -fill black \
        +opaque white -morphology Open Rectangle:1x3 -format "%[fx:round(mean*w*h)]" info:
}
showsA() { [ "$(redRings "$out/$1.png")" -gt 25 ]; }
waitFor b togetherB showsA
convert "$out/togetherA.png" "$out/togetherB.png" +append "$out/together.png"
echo "A shows B's units, B shows A's"

# A ends; the server drops it after its unanswered pings, and B shows A's units dying: for a
# second still ringed while a crate-coloured explosion grows over each, then gone. B's
# screen is taken back to back (xwd, quick) from A's end until one taken after the drop shows
# them gone, and the sequence is looked at then.
use a
press Escape 0
ended=$SECONDS
use b
mkdir -p "$out/dying"
(for ((i = 0; ; i++)); do xwd -silent -id "${wids[b]}" -out "$out/dying/$i"; sleep 0.1; done) &
pids[shots]=$!
ended a 10
poll 30 logged '^NOINCOMINGTRAFFIC: AN (0) timed out\.$' || fail "the server did not drop A"
echo "the server dropped A $((SECONDS - ended)) s after it ended"
crates() { count "$1" 166 116 64 0 0 960 544; }
# The newest complete screenshot, taken after the drop (the server's last line), shows A's
# units gone: no rings of A's, and the explosions over.
newestGone() {
    local n=$(($(ls "$out/dying" | wc -l) - 2))
    [ "$out/dying/$n" -nt "$out/server.log" ] && convert "xwd:$out/dying/$n" "$out/goneB.png" &&
        [ "$(redRings "$out/goneB.png")" -le 12 ] &&
        [ "$(crates goneB)" -le $(($(crates togetherB) + 30)) ] && gone=$n
}
poll 60 newestGone || fail "A's units did not go"
kill "${pids[shots]}"
unset "pids[shots]"
# The last screenshot with A's rings before the first without them (after the drop) is a
# second into the dying, unless the units were gone at once: the explosions must have grown
# there, beyond the crate colour of the last screenshot before the drop.
i=0
until [ "$out/dying/$i" -nt "$out/server.log" ]; do
    i=$((i + 1)) && [ "$i" -le "$gone" ] || fail "the server logged again after the drop"; done
convert "xwd:$out/dying/$((i - 1))" "$out/droppedB.png"
until [ "$(redRings "xwd:$out/dying/$i")" -le 12 ]; do
    i=$((i + 1)) && [ "$i" -le "$gone" ] || fail "no screenshot without A's rings"; done
convert "xwd:$out/dying/$((i - 1))" "$out/dyingB.png"
rm -r "$out/dying"
echo "A's rings on B: $(redRings "$out/dyingB.png") dying, $(redRings "$out/goneB.png") gone;" \
    "crate colour: $(crates droppedB) at the drop, $(crates dyingB) dying, $(crates goneB) gone"
[ "$(redRings "$out/dyingB.png")" -gt 12 ] &&
    [ "$(crates dyingB)" -gt $(($(crates droppedB) + 30)) ] || fail "A's units were gone at once"
echo "B showed A's units dying, then gone"
alive

use b
press Escape 0
ended b 10
kill -TERM "${pids[server]}"
ended server 10
echo "PASS in $((SECONDS - start)) s"
