#!/usr/bin/env bash
# Starts the real client in the current X server and checks its window (caption, size),
# resizes it, then holds Escape and expects the program to end with status 0.
set -u
. "$(dirname "$0")/../window.sh"
client=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$data/gfx" "$data/bgm" "$data/sfx" "$work/" 2>/dev/null
cd "$work"
"$client" 2>"$work/stderr" &
pid=$!
fail() {
    echo "FAIL: $*"
    kill "$pid" 2>/dev/null
    sed "s/^/client: /" "$work/stderr"
    exit 1
}

wid=$(clientWindow)
[ -n "$wid" ] || fail "no window with the caption"
name=$(xdotool getwindowname "$wid")
[ "$name" = "Cogmire SDL OpenGL" ] || fail "caption is '$name'"
geometry=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "960x544" ] || fail "window is $geometry"

# A resize sets the video mode again; the program runs on in the new size.
xdotool windowsize "$wid" 640 400
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "ended after a resize"
wid=$(clientWindow)
resized=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
[ "$resized" = "640x400" ] || fail "resized window is $resized"

xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
xdotool keydown Escape
sleep 0.1
xdotool keyup Escape
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "window $geometry, caption '$name', resized to $resized, exit status $status after Escape"
