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

# What was written from frame $1 to $2 (or to now): "peak rms loud-10-ms-windows".
now() { "$probe" "$wav"; }
since() { "$probe" "$wav" "$1" "${2:-$(now)}" | tee -a "$out/measures.txt"; }
silentSince() { since "$1" | awk '{ exit !($1 < 0.001) }'; }
musicSince() { since "$@" | awk '{ exit !($2 > 0.02) }'; }
clickSince() { since "$1" | awk '{ exit !($1 > 0.05 && $3 >= 1 && $3 <= 10) }'; }
# The device writes the WAV with its own clock, at the rate in the header, however busy the
# machine: past frame tenths waits until it holds that many tenths of a second past frame.
written() { [ "$(now)" -ge $(($1 + $2 * rate / 10)) ]; }
past() { poll 60 written "$@" || fail "the WAV stopped growing at frame $(now)"; }

ALSOFT_CONF="$out/wave.conf" start 1
poll 30 test -s "$wav" || fail "no WAV written"
rate=$(od -An -tu4 -j24 -N4 "$wav")
past 0 40
musicSince 0 $((4 * rate)) || fail "no music in the first 4 s: $(since 0 $((4 * rate)))"
echo "the music plays from start-up"
waitFor menu mainMenuShows menu

press Up # SETTINGS
press Return 0
waitFor settings settingsShow settings
press Up # from BACK to SFX
press Up # MUSIC
press Return 0
past "$(now)" 10
mark=$(now)
past "$mark" 10
silentSince "$mark" || fail "music still heard after MUSIC OFF: $(since "$mark")"
echo "MUSIC switches the music off"

# A confirm acts in a frame while its key is held: a second of sound written after the key is
# up holds its click, if any.
press Down 0 # SFX
mark=$(now)
press Return 0 # effects off: no click
past "$(now)" 10
silentSince "$mark" || fail "a click with SFX OFF: $(since "$mark")"
mark=$(now)
press Return 0 # effects on: a click
past "$(now)" 10
clickSince "$mark" || fail "no click when SFX was confirmed: $(since "$mark")"
echo "a confirmed item clicks, and not while SFX is off"

press Up 0 # MUSIC
mark=$(now)
press Return 0
past "$(now)" 20
musicSince "$mark" || fail "no music after MUSIC ON: $(since "$mark")"
echo "MUSIC switches the music on again"
quit
echo "the client ends cleanly while the music streams"

# Frames drawn after the start-up, and an orderly end.
ALSOFT_CONF="$out/none.conf" start 2
waitFor splash splashShows splash
quit
echo "without a sound device the client runs and ends normally"
echo "PASS"
