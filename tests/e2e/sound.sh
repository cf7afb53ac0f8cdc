#!/usr/bin/env bash
# End to end with sound: the real client under a private X server while OpenAL Soft writes
# all it plays to a WAV file. The menu music from start-up, the settings' MUSIC and SFX
# switches, the click of a confirmed item, a clean end while the music streams, and a run
# with no sound device at all.
# Usage: sound.sh <cogmire> <wavprobe> <source root> <output folder>; needs a display.
set -u
. "$(dirname "$0")/../window.sh"
. "$(dirname "$0")/drive.sh"
cogmire=$1
probe=$2
source=$3
out=$4
runFolder "$source"
wav=$out/out.wav
printf '[general]\ndrivers=wave\n[wave]\nfile=%s\n' "$wav" >"$out/wave.conf"
printf '[general]\ndrivers=none\n' >"$out/none.conf"

# What was written since frame $1: "peak rms loud-10-ms-windows".
now() { "$probe" "$wav"; }
since() { "$probe" "$wav" "$1" "$(now)" | tee -a "$out/measures.txt"; }
silentSince() { since "$1" | awk '{ exit !($1 < 0.001) }'; }
musicSince() { since "$1" | awk '{ exit !($2 > 0.02) }'; }
clickSince() { since "$1" | awk '{ exit !($1 > 0.05 && $3 >= 1 && $3 <= 10) }'; }

# The main menu's logo, in the item colour, at rest.
logoShows() {
    shot menu
    [ "$(count menu 254 206 59 440 100 80 50)" -gt 20 ]
}

ALSOFT_CONF="$out/wave.conf" start 1
sleep 4
musicSince 0 || fail "no music from start-up: $(since 0)"
echo "the music plays from start-up"
for _ in $(seq 40); do logoShows && break; sleep 1; done
logoShows || fail "the main menu did not show"
sleep 1

press Up # SETTINGS
press Return 1.5
press Up # from BACK to SFX
press Up # MUSIC
press Return 1
mark=$(now)
sleep 1
silentSince "$mark" || fail "music still heard after MUSIC OFF: $(since "$mark")"
echo "MUSIC switches the music off"

press Down 0 # SFX
mark=$(now)
press Return 1 # effects off: no click
silentSince "$mark" || fail "a click with SFX OFF: $(since "$mark")"
mark=$(now)
press Return 1 # effects on: a click
clickSince "$mark" || fail "no click when SFX was confirmed: $(since "$mark")"
echo "a confirmed item clicks, and not while SFX is off"

press Up 0 # MUSIC
mark=$(now)
press Return 2
musicSince "$mark" || fail "no music after MUSIC ON: $(since "$mark")"
echo "MUSIC switches the music on again"
quit 5
echo "the client ends cleanly while the music streams"

ALSOFT_CONF="$out/none.conf" start 2
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the client did not run without a sound device"
quit 5
echo "without a sound device the client runs and ends normally"
echo "PASS"
