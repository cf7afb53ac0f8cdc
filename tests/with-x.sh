#!/usr/bin/env bash
# Runs a command inside a private Xvfb server (1280x1024, 24 bits) that it starts and
# stops itself. Many may run at once: each claims a display number from 200 up with an
# atomic mkdir (taking over claims whose owner has died) before its server starts.
set -u
claim=""
for n in $(seq 200 399); do
    dir=/tmp/cogmire-x-$n
    if mkdir "$dir" 2>/dev/null; then
        claim=$n
    elif owner=$(cat "$dir/pid" 2>/dev/null) && ! kill -0 "$owner" 2>/dev/null; then
        rm -rf "$dir" && mkdir "$dir" 2>/dev/null && claim=$n
    fi
    if [ -n "$claim" ]; then
        echo $$ >"$dir/pid"
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
        rm -rf "$dir"
        claim=""
    fi
done
if [ -z "$claim" ]; then
    echo "with-x.sh: no free display" >&2
    exit 1
fi
xlog=$(mktemp)
Xvfb ":$claim" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>"$xlog" &
xpid=$!
export DISPLAY=":$claim"
for _ in $(seq 200); do
    xdpyinfo >/dev/null 2>&1 && break
    kill -0 "$xpid" 2>/dev/null || break
    sleep 0.05
done
cleanup() {
    kill "$xpid" 2>/dev/null
    wait "$xpid" 2>/dev/null
    rm -rf "/tmp/cogmire-x-$claim" "$xlog"
}
trap cleanup EXIT
if ! xdpyinfo >/dev/null 2>&1; then
    echo "with-x.sh: Xvfb on $DISPLAY did not start:" >&2
    cat "$xlog" >&2
    exit 1
fi
# -noreset above: a server that resets after the check's client leaves refuses the next one
# for a moment. Never let SDL fall back to a text-mode video driver.
export SDL_VIDEODRIVER=x11
"$@"
status=$?
# A failure that took the X server with it shows the server's own log.
if [ $status -ne 0 ] && ! kill -0 "$xpid" 2>/dev/null; then
    echo "with-x.sh: the X server on $DISPLAY had ended" >&2
    sed "s/^/Xvfb: /" "$xlog" >&2
fi
exit $status
