#!/usr/bin/env bash
# End to end through the menus: starts the real client from a copy of the data folders,
# presses keys with xdotool and checks pixels of screenshots (kept in the output folder).
# Usage: menus.sh <cogmire> <source root> <output folder>; needs a display (with-x.sh).
set -u
. "$(dirname "$0")/../window.sh"
. "$(dirname "$0")/drive.sh"
cogmire=$1
source=$2
out=$3
runFolder "$source"

splashShows() { [ "$(count splash 0 0 0 0 0 960 544)" -lt $((960 * 544 - 5000)) ]; }
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
