# Pixel checks on the screenshots of the end-to-end tests (PNG files in $out); sourced.

# Pixels of the screenshot within 24 per channel of a colour: count name r g b x y w h,
# x y w h a rectangle of the window. The largest of the three channels' differences from
# the colour is cut at 23.5 of 255.
count() {
    convert "$out/$1.png" -alpha off -crop "${7}x${8}+${5}+${6}" +repage \
        \( +clone -fill "rgb($2,$3,$4)" -colorize 100 \) -compose difference -composite \
        -separate -evaluate-sequence max -threshold 9.2% -format "%[fx:round(w*h*(1-mean))]" info:
}

# Screen positions of the menu plane in the 960 by 544 window: text lies where the
# visible area spans x -80 to 80 and y -45 to 45 around the screen's anchor.
px() { echo $((480 + $1 * 6)); }
py() { awk -v y="$1" 'BEGIN { printf "%d", 272 + y * 544 / 90 }'; }

# Item-coloured pixels in a text row at plane y from plane x x0 to x1.
itemRow() {
    local y
    y=$(py "$2")
    count "$1" 254 206 59 "$(px "$3")" $((y - 12)) $(($(px "$4") - $(px "$3"))) 24
}

# Percent of the pixels in a rectangle that are in colour (saturation above 25%), not black,
# grey or white: colourShare name x y w h.
colourShare() {
    convert "$out/$1.png" -alpha off -crop "${4}x${5}+${2}+${3}" +repage -colorspace HSL \
        -channel G -separate +channel -threshold 25% -format "%[fx:round(100*mean)]" info:
}
# The splash pictures, drawn alone on black, are in colour over most of the window; the
# main menu is grey rings behind gold text and a gold logo, in colour on about a seventh.
splashShows() { [ "$(colourShare "$1" 0 0 960 544)" -gt 40 ]; }
mainMenuShows() {
    [ "$(count "$1" 254 206 59 440 100 80 50)" -gt 20 ] || return 1 # the logo
    for y in 0 7 14 21; do
        [ "$(itemRow "$1" "$y" -16 16)" -gt 30 ] || return 1
    done
}
# The values GFX, MUSIC and SFX on the settings.
settingsShow() {
    for y in -7 0 7; do
        [ "$(count "$1" 31 137 236 480 $(($(py "$y") - 12)) 120 24)" -gt 30 ] || return 1
    done
}
playShows() { [ "$(count "$1" 7 65 114 0 0 960 544)" -gt 1000 ]; }
