#!/usr/bin/env bash
# Starts the real client in the current X server and checks its window (caption, size),
# makes the window larger and expects the client to draw over the whole new size and to keep
# the window resizable, then holds Escape and expects the program to end with status 0.
set -u
. "$(dirname "$0")/../window.sh"
. "$(dirname "$0")/../e2e/pixels.sh"
client=$1
data=$2
out=$(mktemp -d)
trap 'stopAll; rm -rf "$out"' EXIT
cp -r "$data/gfx" "$data/bgm" "$data/sfx" "$out/" 2>/dev/null
cd "$out"
launch client "$client"
clientWindow client
wid=${wids[client]}
name=$(xdotool getwindowname "$wid")
[ "$name" = "Cogmire SDL OpenGL" ] || fail "caption is '$name'"
geometry=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "960x544" ] || fail "window is $geometry"

# A resize sets the video mode and the viewport again, so the frame fills the new size: the
# splash pictures, in colour over most of the old window, reach into the strip beyond its
# old right edge. A client that kept the old viewport leaves that strip black.
xdotool windowsize "$wid" 1200 700
strip() { colourShare resized 960 0 240 700; }
resized() { snap client resized && [ "$(strip)" -gt 30 ]; }
poll 40 resized || fail "nothing drawn beyond the old width after a resize to 1200x700:" \
    "$(identify -format %wx%h "$out/resized.png"), $(strip)% in colour"
# A window that may not be resized has its least and largest size hinted as one.
xprop -id "$wid" WM_NORMAL_HINTS | grep -q "maximum size" && fail "no longer resizable"

xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
press Escape 0
ended client 5
echo "window $geometry, caption '$name', resized to 1200x700 and drawn there ($(strip)% in" \
    "colour beyond the old width), exit status 0 after Escape"
