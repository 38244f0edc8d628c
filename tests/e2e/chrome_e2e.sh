#!/bin/bash
# The window's own chrome from outside, in an X server of its own (1280 x 1024, no
# window manager): zooming by Ctrl+Numpad, folding by a double click on the title
# bar, dragging the title bar, the title bar's colour when the program loses and
# regains the focus. Screenshots of the window at 80 % and 200 %, with the list
# hidden and shown, are kept in $MORVIL_SCREENSHOTS when it names a folder.
# usage: chrome_e2e.sh <morvil program>
set -uo pipefail

morvil=$1
here=$(cd "$(dirname "$0")" && pwd)
screen_size=1280x1024
source "$here/xserver.sh"
export SDL_AUDIODRIVER=dummy
shots=${MORVIL_SCREENSHOTS:-$work}

# X keycodes of the keypad's digits; Ctrl is added to them.
declare -A keypad=([1]=87 [2]=88 [3]=89 [4]=83 [5]=84 [6]=85 [7]=79)
# A point of the title bar that no control covers, from the window's top-left corner.
free_title_bar_x=251
free_title_bar_y=11

geometry() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
}

# Waits up to two seconds for the window to have this size.
wait_for_size() {
    for _ in $(seq 20); do
        geometry
        [ "${WIDTH}x${HEIGHT}" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

expect_window() { # size x y what
    wait_for_size "$1"
    [ "${WIDTH}x${HEIGHT}" = "$1" ] && [ "$X,$Y" = "$2,$3" ] ||
        fail "$4: the window is ${WIDTH}x${HEIGHT} at $X,$Y, not $1 at $2,$3"
}

zoom() {
    xdotool key "ctrl+${keypad[$1]}"
}

# Puts the pointer on the title bar's free surface. A --sync move to where the
# pointer already is would wait for ever, so it comes from the screen's corner.
point_at_title_bar() {
    geometry
    xdotool mousemove 0 0 mousemove --sync $((X + free_title_bar_x)) $((Y + free_title_bar_y))
}

double_click_title_bar() {
    point_at_title_bar
    xdotool click --repeat 2 --delay 60 1
}

# A picture of the window, and its border drawn all round at its new size.
screenshot() { # name
    geometry
    import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shots/$1.png"
    local corner
    for corner in "$X $Y" "$((X + WIDTH - 1)) $((Y + HEIGHT - 1))"; do
        # shellcheck disable=SC2086
        [ "$(pixel $corner)" = 000000 ] || fail "$1: no border at $corner"
    done
}

start_morvil
xdotool windowfocus --sync "$window"
# The keypad gives digits only with Num Lock on.
xdotool key Num_Lock
sleep 0.3
expect_window 375x154 452 435 "at start"

title_bar_colour() {
    geometry
    pixel $((X + free_title_bar_x)) $((Y + free_title_bar_y))
}
[ "$(title_bar_colour)" = C1C1AC ] || fail "the active title bar is #$(title_bar_colour)"
xdotool windowfocus "$(xdotool search --maxdepth 0 --name '' 2>/dev/null | head -n 1)"
sleep 0.3
[ "$(title_bar_colour)" = 808080 ] || fail "the title bar of an inactive program is #$(title_bar_colour)"
xdotool windowfocus --sync "$window"
sleep 0.3
[ "$(title_bar_colour)" = C1C1AC ] || fail "the title bar of the program active again is #$(title_bar_colour)"

zoom 5
expect_window 468x192 406 416 "Ctrl+Numpad 5"
zoom 3
expect_window 375x154 452 435 "Ctrl+Numpad 3"

double_click_title_bar
expect_window 375x24 452 435 "a double click on the title bar"
double_click_title_bar
expect_window 375x154 452 435 "a second double click on the title bar"

point_at_title_bar
xdotool mousedown 1 mousemove_relative --sync 60 0 mousemove_relative --sync 40 0 mouseup 1
sleep 0.3
expect_window 375x154 552 435 "dragging the title bar by 100 px"

# A few notes in the list, so that the pictures show its lines.
for keycode in 38 40 42 44 24 26 28 30; do
    xdotool key "$keycode"
done
zoom 1
expect_window 300x124 490 450 "Ctrl+Numpad 1"
screenshot zoom80
xdotool key ctrl+g
wait_for_size 300x322 || fail "Ctrl+G at 80 % did not show the list"
screenshot zoom80-list
zoom 7
# From the list shown at 80 %: 320 client rows back to 400, then twice that.
expect_window 748x802 266 111 "Ctrl+Numpad 7"
screenshot zoom200-list
xdotool key ctrl+g
wait_for_size 748x306 || fail "Ctrl+G at 200 % did not hide the list"
screenshot zoom200

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "chrome checks passed"
