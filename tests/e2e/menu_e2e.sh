#!/bin/bash
# Opens Morvil's popup menu with real right clicks in an X server of its own, plays
# a recorded list from it, and runs the play, stop and layout commands from their
# Ctrl shortcuts with the menu closed; what plays is heard in SDL's disk-driver
# capture of the sound output. With MORVIL_SCREENSHOTS set to a folder, the open
# menu is saved there as menu.png.
# usage: menu_e2e.sh <morvil program> <folder of the note samples>
set -uo pipefail

morvil=$1
samples=$2
here=$(cd "$(dirname "$0")" && pwd)
python=${PYTHON:-/usr/bin/python3} # the one with numpy
source "$here/xserver.sh"
source "$here/listen.sh"

setxkbmap us || { echo "no X server on $DISPLAY"; exit 1; }
capture=$work/sound.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture
settings=$work/config/Morvil/morvil.ini

# The program's other visible window: the open menu.
menu_window() {
    xdotool search --onlyvisible --pid "$morvil_pid" 2>/dev/null | grep -vx "$window" | head -n 1
}

# right_click_opens <what> <x> <y>: a right click at the screen point opens the menu there.
right_click_opens() {
    click_at "$2" "$3" 3
    local menu=
    for _ in $(seq 50); do
        menu=$(menu_window)
        [ -n "$menu" ] && break
        sleep 0.1
    done
    [ -n "$menu" ] || { fail "a right click on $1 opened no menu"; return 1; }
    local MX MY
    eval "$(xdotool getwindowgeometry --shell "$menu" | sed 's/^/M/')"
    [ "$MX,$MY" = "$2,$3" ] || fail "the menu opened from $1 is at $MX,$MY, not at the pointer $2,$3"
}

# expect_heard <what> <expected notes> <seconds> <xdotool arguments...>
expect_heard() {
    local what=$1 expected=$2 heard
    shift 2
    heard=$(notes_after "$@")
    [ "$heard" = "$expected" ] || fail "$what played '$heard', expected '$expected'"
}

close_window() { # through its own close button
    click_at $((X + 1 + 352 + 9)) $((Y + 1 + 2 + 8)) 1
}

start_listened_to
note_button=($((X + 1 + 7 + 10)) $((Y + 1 + 21 + 83 + 10)))
title_bar=($((X + 1 + 250)) $((Y + 1 + 10)))

right_click_opens "a note button" "${note_button[@]}"
sleep 0.3
if [ -n "${MORVIL_SCREENSHOTS:-}" ]; then
    mkdir -p "$MORVIL_SCREENSHOTS" && import -window root "$MORVIL_SCREENSHOTS/menu.png"
fi
xdotool key Escape
sleep 0.3
right_click_opens "the title bar" "${title_bar[@]}"
xdotool key Escape
sleep 0.3
[ -z "$(menu_window)" ] || fail "Escape did not close the menu"

# Notes 0 and 4, 0.8 s apart; the right click plays none.
xdotool windowfocus --sync "$window"
xdotool key 38 sleep 0.8 key 42
# Yürüt is the fourth item; its first item plays the list.
right_click_opens "a note button" "${note_button[@]}"
expect_heard "Yürüt > Notaları Çal" "0 4" 1.5 key Down Down Down Down Right Return
xdotool windowfocus --sync "$window"
expect_heard "Ctrl+F9" "0 4" 1.5 key ctrl+F9
expect_heard "Ctrl+F9, Ctrl+F10 in the wait" "0" 1.5 key ctrl+F9 sleep 0.3 key ctrl+F10

# Ctrl+F chooses the F layout, which the close stores.
xdotool key ctrl+f
close_window
ended || fail "the close button did not end the program"
grep -q '^Klavye=1' "$settings" 2>/dev/null || fail "Ctrl+F did not choose the F layout"

# A recording stopped by Ctrl+F11 closes without a question; Ctrl+Q chose the Q layout.
start_listened_to
xdotool key 38 sleep 0.2 key ctrl+F11 sleep 0.2 key ctrl+q
# The note gave the hidden edit the focus; the keyboard's menu key opens the window's own
# menu (far taller than the edit's), from the window's centre down or, lacking room, up.
xdotool key Menu sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$(menu_window)" 2>/dev/null | sed 's/^/M/')"
centre=("$((X + (WIDTH - 1) / 2))" "$((Y + (HEIGHT - 1) / 2))")
[ "${MX:-}" = "${centre[0]}" ] && [ "$MHEIGHT" -gt 300 ] && [[ " $MY $((MY + MHEIGHT)) " == *" ${centre[1]} "* ]] ||
    fail "the menu key opened ${MX:+a menu ${MWIDTH}x$MHEIGHT at $MX,$MY}, not the window's at ${centre[*]}"
xdotool key Escape
close_window
ended || fail "the recording still ran after Ctrl+F11: closing asked first"
grep -q '^Klavye=0' "$settings" 2>/dev/null || fail "Ctrl+Q did not choose the Q layout"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; the program wrote:"
    cat "$work/morvil.log"
    exit 1
fi
echo "menu checks passed"
