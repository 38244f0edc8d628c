#!/bin/bash
# Looks at Morvil's window from outside, in an X server of its own: its size,
# place and colours on the screen, closing through its own close button (with
# the settings written), and ending by a signal.
# usage: window_e2e.sh <morvil program>
set -uo pipefail

morvil=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xserver.sh"
export SDL_AUDIODRIVER=dummy

start_morvil
# Drawn once the title bar shows its colour.
for _ in $(seq 50); do
    [ "$(pixel 500 312)" = C1C1AC ] && break
    sleep 0.1
done

# 375 x 154 (client 373 x 152 and a one-pixel border), centred on 1024 x 768, no frame around it.
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 375 ] && [ "$HEIGHT" = 154 ] || fail "window is ${WIDTH}x${HEIGHT}, not 375x154"
[ "$X" = 324 ] && [ "$Y" = 307 ] || fail "window is at $X,$Y, not centred at 324,307"
[ "$(xdotool getwindowname "$window")" = ".:: MoRvIl ::." ] || fail "the task bar would not show the application title"

check_pixel() { # x y expected what
    local seen
    seen=$(pixel "$1" "$2")
    [ "$seen" = "$3" ] || fail "$4 at $1,$2 is #$seen, not #$3"
}
check_pixel 324 307 000000 "the border's top-left corner"
check_pixel 698 460 000000 "the border's bottom-right corner"
check_pixel 500 312 C1C1AC "the title bar"
check_pixel 420 460 000000 "the bottom border"
check_pixel 640 450 D1D1C2 "the button panel"

# A playback leaves the note buttons their look: every caption blue (#0057AE), the
# played button white. Two notes 1.5 s apart are recorded and played back; the shot
# is taken in the wait before the second one.
wait_for_pixel() { # x y colour: true once the screen shows it there
    for _ in $(seq 50); do
        [ "$(pixel "$1" "$2")" = "$3" ] && return 0
        sleep 0.05
    done
    return 1
}
blue_pixels() { # image x y: pixels near the caption colour in the note button there
    convert "$1" -crop "35x32+$2+$3" +repage -fuzz 12% -fill black -opaque white -fill white -opaque '#0057AE' -fill black +opaque white \
        -format '%[fx:round(mean*w*h)]' info:
}
note_left=$((X + 1 + 7)) fast_top=$((Y + 1 + 21 + 23)) normal_top=$((Y + 1 + 21 + 83))
xdotool windowfocus --sync "$window"
xdotool key 38
wait_for_pixel $((note_left + 2)) $((normal_top + 2)) E4E4DC || fail "the first note was not recorded"
xdotool sleep 1.5 key 39
wait_for_pixel $((note_left + 40 + 2)) $((normal_top + 2)) E4E4DC || fail "the second note was not recorded"
xdotool key ctrl+F11 key ctrl+F9
wait_for_pixel $((note_left + 2)) $((normal_top + 2)) FFFFFF || fail "the playback did not light the first note"
import -window root "$work/playback.png"
for i in $(seq 0 8); do
    for top in "$fast_top" "$normal_top"; do
        [ "$(blue_pixels "$work/playback.png" $((note_left + 40 * i)) "$top")" -gt 5 ] ||
            fail "during the playback the caption of the note button at $((note_left + 40 * i)),$top is not blue"
    done
done
xdotool key ctrl+F10

# Closing while recording asks first, in a box titled exactly "UYARI"; No keeps the window.
# No --sync on the clicks: the pointer may be there already, and XTest keeps the events in order.
close_button_x=$((X + 1 + 352 + 9)) close_button_y=$((Y + 1 + 2 + 8))
xdotool key 40
wait_for_pixel $((note_left + 80 + 2)) $((normal_top + 2)) E4E4DC || fail "the note before closing was not recorded"
xdotool mousemove "$close_button_x" "$close_button_y" click 1
question=$(timeout 5 xdotool search --sync --name '^UYARI' | head -n 1)
if [ -n "$question" ]; then
    # The name a window manager shows (_NET_WM_NAME), which Qt may have added to.
    title=$(xdotool getwindowname "$question")
    [ "$title" = UYARI ] || fail "the close question is titled '$title', not exactly UYARI"
    xdotool windowfocus --sync "$question" key Escape
    timeout 5 bash -c "while xdotool search --name '^UYARI' >/dev/null; do sleep 0.05; done" ||
        fail "the close question did not go on Escape"
    kill -0 "$morvil_pid" 2>/dev/null || fail "answering No to the close question ended the program"
else
    fail "no window titled UYARI asked before closing while recording"
fi

# The close button asks nothing when idle, saves the settings and ends the program.
xdotool mousemove "$close_button_x" "$close_button_y" click 1
ended || fail "the close button did not end the program"
grep -q '^Klavye=0' "$work/config/Morvil/morvil.ini" 2>/dev/null || fail "closing saved no settings"

# A signal still ends it.
start_morvil
kill -TERM "$morvil_pid"
ended || fail "SIGTERM did not end the program"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "window checks passed"
