#!/usr/bin/env bash
# End to end through the menus: starts the real client from a copy of the data folders,
# presses keys with xdotool and checks pixels of screenshots (kept in the output folder).
# Usage: menus.sh <cogmire> <source root> <output folder>; needs a display (with-x.sh).
set -u
. "$(dirname "$0")/../window.sh"
cogmire=$1
source=$2
out=$3
rm -rf "$out"
mkdir -p "$out/run"
for d in gfx bgm sfx; do
    [ -d "$source/$d" ] && cp -r "$source/$d" "$out/run/"
done
cd "$out/run" || exit 1

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

splashShows() { [ "$(count splash 0 0 0 0 0 960 544)" -lt $((960 * 544 - 5000)) ]; }
mainMenuShows() {
    [ "$(count "$1" 254 206 59 440 100 80 50)" -gt 20 ] || return 1 # the logo
    for y in 0 7 14 21; do
        [ "$(itemRow "$1" "$y" -16 16)" -gt 30 ] || return 1
    done
}
creditsShow() {
    [ "$(itemRow credits -14 -40 40)" -gt 30 ] && [ "$(itemRow credits 14 -40 40)" -gt 30 ] &&
        [ "$(count credits 254 206 59 440 100 80 50)" -eq 0 ]
}
settingsShow() {
    for y in -7 0 7; do
        [ "$(count settings 31 137 236 480 $(($(py "$y") - 12)) 120 24)" -gt 30 ] || return 1
    done
}
multiplayerShows() {
    [ "$(itemRow "$1" -7 -62 -40)" -gt 30 ] && [ "$(itemRow "$1" 20 -20 20)" -gt 30 ]
}
nameShown() { [ "$(itemRow "$1" -7 -21 -8)" -gt 20 ]; }
keyboardShows() {
    [ "$(count keyboard 255 255 255 200 330 560 200)" -gt 500 ] ||
        [ "$(count keyboard 128 128 128 200 330 560 200)" -gt 500 ]
}
playShows() { [ "$(count play 7 65 114 0 0 960 544)" -gt 1000 ]; }

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

# First run: no configuration file. The splash takes 17.45 s before the main menu rests.
rm -f configuration.dat
start 1
waitFor splash 15 splashShows
waitFor menu 40 mainMenuShows menu
echo "main menu shows"
# The background rings shrink for 5.8 s from the end of the splash: a picture at rest.
sleep 5
shot menuRings

press Down
press Down
press Return 0
waitFor credits 5 creditsShow
echo "credits show"
press Return 0
waitFor menuAgain 5 mainMenuShows menuAgain

press Down
press Return 0
waitFor settings 5 settingsShow
echo "settings show"
press Return 0 # BACK is selected on the settings at first
waitFor menuAgain 5 mainMenuShows menuAgain

press Up
press Up
press Return 0
waitFor multiplayer 5 multiplayerShows multiplayer
nameShown multiplayer && fail "a name shows before one was typed"
echo "multiplayer shows"

# NAME, then the key cursor from the done key (row 3, column 9) to A (row 1, column 0).
press Up
press Up
press Up
press Return 0
waitFor keyboard 5 keyboardShows
press Down 0.2
press Down 0.2
press Right 0.2
press a 0.2
press Right 0.2
press a 0.2
shot typed
press Return 1
printf 'SAV\0\002AB\0' | cmp -n 8 - configuration.dat || fail "configuration.dat does not hold the name"
[ "$(stat -c %s configuration.dat)" -eq 256 ] || fail "configuration.dat is not 256 bytes"
waitFor named 5 nameShown named
echo "the typed name is saved and shown"
quit

# Second run: the name comes back from the file; then QUICK TEST.
start 2
waitFor menu2 40 mainMenuShows menu2
press Down
press Return 0
waitFor reloaded 5 nameShown reloaded
echo "the name is shown again after a restart"
press Return 0 # BACK
sleep 1
press Up
press Return 0
waitFor play 5 playShows
echo "QUICK TEST reaches the play state"
quit
echo "PASS"
