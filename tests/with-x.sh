#!/usr/bin/env bash
# Runs a command inside a private Xvfb server (1280x1024, 24 bits) that it starts and
# stops itself. Many may run at once: Xvfb picks a free display number itself and writes it
# to -displayfd once it takes connections.
set -u
xlog=$(mktemp)
xnum=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$xnum" 2>"$xlog" &
xpid=$!
cleanup() {
    kill "$xpid" 2>/dev/null
    wait "$xpid" 2>/dev/null
    rm -f "$xlog" "$xnum"
}
trap cleanup EXIT
# A whole line (read succeeds) is the number; give a busy machine a minute.
for _ in $(seq 600); do
    read -r n <"$xnum" && break
    kill -0 "$xpid" 2>/dev/null || break
    sleep 0.1
done
if ! read -r n <"$xnum"; then
    echo "with-x.sh: Xvfb did not start:" >&2
    cat "$xlog" >&2
    exit 1
fi
# -noreset above: a server that resets whenever its last client leaves (an xdotool call)
# refuses the next one for a moment. Never let SDL fall back to a text-mode video driver.
export DISPLAY=":$n" SDL_VIDEODRIVER=x11
"$@"
status=$?
# A failure that took the X server with it shows the server's own log.
if [ $status -ne 0 ] && ! kill -0 "$xpid" 2>/dev/null; then
    echo "with-x.sh: the X server on $DISPLAY had ended" >&2
    sed "s/^/Xvfb: /" "$xlog" >&2
fi
exit $status
