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

creditsShow() {
    [ "$(itemRow credits -14 -40 40)" -gt 30 ] && [ "$(itemRow credits 14 -40 40)" -gt 30 ] &&
        [ "$(count credits 254 206 59 440 100 80 50)" -eq 0 ]
}
multiplayerShows() {
    [ "$(itemRow "$1" -7 -62 -40)" -gt 30 ] && [ "$(itemRow "$1" 20 -20 20)" -gt 30 ]
}
nameShown() { [ "$(itemRow "$1" -7 -21 -8)" -gt 20 ]; }
keyboardShows() {
    [ "$(count keyboard 255 255 255 200 330 560 200)" -gt 500 ] ||
        [ "$(count keyboard 128 128 128 200 330 560 200)" -gt 500 ]
}

# First run: no configuration file. The splash takes 17.45 s before the main menu rests.
rm -f configuration.dat
start 1
waitFor splash splashShows splash
waitFor menu mainMenuShows menu
echo "main menu shows"

press Down
press Down
press Return 0
waitFor credits creditsShow
echo "credits show"
press Return 0
waitFor menuAgain mainMenuShows menuAgain

press Down
press Return 0
waitFor settings settingsShow settings
echo "settings show"
press Return 0 # BACK is selected on the settings at first
# By now the background rings have shrunk to rest (5.8 s from the end of the splash).
waitFor menuRings mainMenuShows menuRings

press Up
press Up
press Return 0
waitFor multiplayer multiplayerShows multiplayer
nameShown multiplayer && fail "a name shows before one was typed"
echo "multiplayer shows"

# NAME, then the key cursor from the done key (row 3, column 9) to A (row 1, column 0).
press Up
press Up
press Up
press Return 0
waitFor keyboard keyboardShows
press Down
press Down
press Right
press a
press Right
press a
shot typed
press Return
saved() {
    printf 'SAV\0\002AB\0' | cmp -s -n 8 - configuration.dat &&
        [ "$(stat -c %s configuration.dat)" -eq 256 ]
}
poll 30 saved || fail "configuration.dat is not the name in 256 bytes"
waitFor named nameShown named
echo "the typed name is saved and shown"
quit

# Second run: the name comes back from the file; then QUICK TEST.
start 2
waitFor menu2 mainMenuShows menu2
press Down
press Return 0
waitFor reloaded nameShown reloaded
echo "the name is shown again after a restart"
press Return 0 # BACK
waitFor menu2Again mainMenuShows menu2Again
press Up
press Return 0
waitFor play playShows play
echo "QUICK TEST reaches the play state"
quit

# Third run: a configuration file that is a named pipe, and the menu track padded with zeros
# to 3 GB (sparse), would block or stall start-up if opened: the main menu shows as before.
rm -f configuration.dat && mkfifo configuration.dat
truncate -s 3G bgm/bgmMenu.ogg
start 3
waitFor menu3 mainMenuShows menu3
echo "a pipe for the configuration and a padded track do not hold start-up"
quit
rm -f configuration.dat bgm/bgmMenu.ogg
echo "PASS"
