#!/usr/bin/env bash
# Runs a command inside a private Xvfb server (1280x1024, 24 bits) that it starts and
# stops itself; safe to run many at once, since Xvfb picks a free display number.
set -u
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xpid=$!
read -r -t 20 display <"$fifo"
rm -f "$fifo"
if [ -z "${display:-}" ]; then
    echo "with-x.sh: Xvfb did not start" >&2
    kill "$xpid" 2>/dev/null
    exit 1
fi
export DISPLAY=":$display"
"$@"
status=$?
kill "$xpid" 2>/dev/null
wait "$xpid" 2>/dev/null
exit $status
