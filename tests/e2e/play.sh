#!/usr/bin/env bash
# End to end in the quick-test game: the level drawn (walls, both bases, the units with
# their selection ring), then the camera panned and zoomed, a unit selected with 'b' and
# ordered with 'a', and the units seen to move. Screenshots stay in the output folder.
# Usage: play.sh <cogmire> <source root> <output folder>; needs a display (with-x.sh).
set -u
. "$(dirname "$0")/../window.sh"
. "$(dirname "$0")/drive.sh"
cogmire=$1
source=$2
out=$3
runFolder "$source"

# Centre and count of the pixels within fuzz (percent) of a colour: centroid name r g b fuzz
# [WxH]. With a size, shapes smaller than that rectangle are opened away first (the hp bars,
# flat on the screen, under a 1x2 or 1x4; thin shadows under a 7x7). Prints "x y count".
centroid() {
    local morph=()
    [ -n "${6:-}" ] && morph=(-morphology Open "Rectangle:$6")
    convert "$out/$1.png" -alpha off -fuzz "$5%" -fill white -opaque "rgb($2,$3,$4)" -fuzz 0 \
        -fill black +opaque white "${morph[@]}" -colorspace gray -moments -verbose info: |
        awk -F'[ :,]+' '/ Geometry:/ { split($3, g, "x") }
            / mean:/ && !n { n = $3 / 255 * g[1] * g[2] }
            /Centroid:/ && n >= 0.5 { printf "%d %d %d\n", $3, $4, n + 0.5; exit }
            END { if (n < 0.5) print "-1 -1 0" }'
}
# The selection ring and target marker (the own colour, red): 2 pixels high at the farthest
# zoom keeps them and drops the hp bars, 4 pixels at the nearer zoom.
ringAt() { centroid "$1" 255 0 0 15 "1x$2"; }
# The mire pools around base 0, a green found nowhere else.
poolsAt() { centroid "$1" 39 63 50 6 7x7; }

# Holds a key for a while (seconds) and releases it; held is how long that took, in ms.
hold() {
    local t=${EPOCHREALTIME/./}
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
    held=$(((${EPOCHREALTIME/./} - t) / 1000))
}

start 1
waitFor menu mainMenuShows menu
press Return 0 # QUICK TEST
# The first screenshot of the level, from the farthest zoom over the map's centre (0.39
# pixels a unit): the border walls' light stone on the left and on the small block's top,
# the two bases' dark pads, and the red selection ring near the first unit's start (1300,
# 1120), once enough of it shows.
levelShows() {
    [ "$(count level 135 134 124 88 0 16 544)" -gt 4000 ] &&
        read -r x0 y0 n0 <<<"$(ringAt level 2)" && [ "$n0" -gt 4 ]
}
firstShot level 60 levelShows
# 'b' at once, before the collectors reach the props, whose crates would hide their rings. A
# unit goes 8 pixels a second here: the ring must jump 30 between that screenshot and one
# taken just after the press (or, if the client is slow to show it, within 2 s more); a new
# ring partly under a crate still counts.
press b 0
ringJumped() {
    read -r x1 y1 n1 <<<"$(ringAt selected 2)"
    [ "$n1" -gt 0 ] &&
        [ $(((x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0))) -gt 900 ]
}
firstShot selected 2 ringJumped
echo "'b' moves the selection ring from ($x0, $y0) to ($x1, $y1)"

# r held zooms in by 0.8 units a millisecond (the whole middle of the map in view at about
# -600). The order point lies 50 units up from the view's centre (480, 272), 1550 + camZ
# units away; 16 units at the near plane 20 span 480 pixels, so its marker (the own colour
# halved) is 50 * 600 / (1550 + camZ) pixels up: 253 at the farthest zoom, 240 at -600.
# After 'a' the selected unit's target marker (the own colour) is centred on it.
hold r 0.75
markerAtOrderPoint() {
    convert "$out/ordered.png" -alpha off -crop 40x122+460+150 +repage "$out/ordered-order.png"
    read -r ox oy on <<<"$(centroid ordered-order 127 0 0 8)"
    read -r mx my mn <<<"$(centroid ordered-order 255 0 0 15 1x4)"
    [ "$on" -gt 4 ] && [ "$mn" -gt 8 ] && [ $(((mx - ox) ** 2 + (my - oy) ** 2)) -le 9 ]
}
press a 0
firstShot ordered 30 markerAtOrderPoint
echo "r held $held ms: the order point and the target marker at ($((460 + ox)), $((150 + oy)))"
[ $((150 + oy)) -lt 248 ] || fail "r did not zoom in"
orderLogged() { grep -q '^tX = 960.000 tY = 910.000$' "$out/cogmire1.log"; }
poll 30 orderLogged || fail "no order line on standard error"
moved() {
    changed=$(compare -metric AE -fuzz 5% "$out/ordered.png" "$out/moved.png" null: 2>&1)
    [ "${changed%.*}" -gt 200 ]
}
firstShot moved 10 moved
echo "'a' puts the target at the order point; then $changed pixels changed"
# The level's first screenshot, looked at only now so that 'a' follows 'b' closely.
[ "$(count level 130 129 120 455 295 50 50)" -gt 1000 ] || fail "no wall block at its place"
[ "$(count level 135 134 124 150 350 250 190)" -eq 0 ] || fail "wall colour on open floor"
[ "$(count level 70 80 90 423 216 20 20)" -gt 20 ] || fail "no base 0 at its place"
[ "$(count level 70 80 90 609 262 20 20)" -gt 20 ] || fail "no base 1 at its place"
[ "$(count level 255 0 0 550 274 120 120)" -gt 5 ] || fail "no selection ring near the first unit"
echo "the level shows its walls, bases and units"

# The view rests when two screenshots in a row show the pools within 2 pixels of one place.
read -r gx0 gy0 _ <<<"$(poolsAt moved)"
hold Right 0.3
gx1=-99
gy1=-99
poolsRest() {
    local x=$gx1 y=$gy1
    read -r gx1 gy1 _ <<<"$(poolsAt panned)"
    [ $(((gx1 - x) * (gx1 - x) + (gy1 - y) * (gy1 - y))) -le 8 ]
}
firstShot panned 30 poolsRest
# About 0.4 pixels a millisecond at this zoom (at most 1): the pools slide left, not up or down.
[ $((gx1 - gx0)) -lt -60 ] && [ $((gx1 - gx0)) -gt -"$held" ] && [ $((gy1 - gy0)) -lt 10 ] &&
    [ $((gy1 - gy0)) -gt -10 ] || fail "Right did not pan: pools from ($gx0, $gy0) to ($gx1, $gy1)"
echo "Right held $held ms pans the view by $((gx0 - gx1)) pixels"
quit
echo "PASS"
