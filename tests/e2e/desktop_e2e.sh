#!/bin/bash
# Morvil under a real window manager, in an X server of its own (1280 x 1024): drags
# of the title bar from a fresh start and with pauses, folding by a double click,
# the title bar's colours as another window takes the focus and gives it back,
# minimising with and without the About card and restoring, the card above the
# window, the popup menu at the pointer (also from a right press on the title bar),
# a message box modal over the window, the zoom's centring, and the note keys
# after every menu and box without the test handing the focus back. What plays is
# heard in SDL's disk-driver capture.
# usage: desktop_e2e.sh <morvil program> <folder of the note samples> <window manager: openbox|xfwm4>
set -uo pipefail

morvil=$1
samples=$2
manager=$3
here=$(cd "$(dirname "$0")" && pwd)
python=${PYTHON:-/usr/bin/python3} # the one with numpy
screen_size=1280x1024
source "$here/xserver.sh"
source "$here/listen.sh"
capture=$work/sound.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture
setxkbmap us || { echo "no X server on $DISPLAY"; exit 1; }

case $manager in
openbox) openbox --config-file /dev/null >"$work/manager.log" 2>&1 & ;;
# xfwm4 composites, and reads its settings through D-Bus: a session bus of the test's own, ended
# with it (dbus-run-session, killed, would leave its bus and what the bus started running).
xfwm4)
    {
        read -r DBUS_SESSION_BUS_ADDRESS
        read -r bus_pid
    } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    export DBUS_SESSION_BUS_ADDRESS
    stop_on_exit "$bus_pid"
    xfwm4 --compositor=on >"$work/manager.log" 2>&1 &
    ;;
*) echo "unknown window manager $manager"; exit 2 ;;
esac
stop_on_exit $!
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "$manager did not start"; cat "$work/manager.log"; exit 1; }

# A point of the title bar that no control covers, from the window's top-left corner.
title_x=251
title_y=11

geometry() { # [window] -> X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "${1:-$window}")"
}

# waits_for <what> <command...>: up to five seconds.
waits_for() {
    local what=$1
    shift
    for _ in $(seq 50); do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "$what"
    return 1
}

at() { # x y: the window is there
    geometry
    [ "$X,$Y" = "$1,$2" ]
}

sized() { # WxH
    geometry
    [ "${WIDTH}x${HEIGHT}" = "$1" ]
}

visible() { # window
    [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

hidden() {
    [ -n "$1" ] && ! visible "$1"
}

# Drags the title bar by dx, dy in steps of 20 pixels, a pause before each.
drag() { # dx dy
    geometry
    local sx=$((X + title_x)) sy=$((Y + title_y)) steps=$(((${1#-} + ${2#-}) / 20)) step
    xdotool mousemove "$sx" "$sy" mousedown 1 sleep 0.3
    for step in $(seq "$steps"); do
        xdotool mousemove $((sx + step * $1 / steps)) $((sy + step * $2 / steps)) sleep 0.2
    done
    xdotool mouseup 1 sleep 0.3
}

expect_drag() { # dx dy what
    geometry
    local x=$X y=$Y
    drag "$1" "$2"
    waits_for "$3: the window went from $x,$y to $(geometry; echo "$X,$Y"), not by $1,$2" at $((x + $1)) $((y + $2))
}

# The notes heard after a key press, with the program keeping the focus by itself.
expect_note_key() { # what
    local heard
    heard=$(notes_after 0.4 key 38)
    [ "$heard" = 0 ] || fail "$1: the A key played '$heard'"
}

title_bar_colour() {
    geometry
    pixel $((X + title_x)) $((Y + title_y))
}

other_windows() {
    xdotool search --onlyvisible --pid "$morvil_pid" 2>/dev/null | grep -vx "$window"
}

# The first drag after the start, straight away, has found the window system not
# yet told where the window is; then drags with pauses.
for start in 1 2 3; do
    start_morvil
    waits_for "start $start: the window is not centred" at 452 435
    expect_drag 60 40 "start $start, first drag"
    kill "$morvil_pid"
    wait "$morvil_pid" 2>/dev/null
done
start_listened_to
waits_for "the window is not centred" at 452 435
for move in "100 60" "-200 0" "40 -120" "60 60"; do
    # shellcheck disable=SC2086
    expect_drag $move "a drag by $move"
done
expect_note_key "after the drags"

geometry
start_x=$X
start_y=$Y
# Clicks as a hand makes them: the button held a moment.
double_click() {
    xdotool mousedown 1 sleep 0.05 mouseup 1 sleep 0.08 mousedown 1 sleep 0.05 mouseup 1
}
xdotool mousemove $((X + title_x)) $((Y + title_y))
double_click
waits_for "a double click on the title bar did not fold the window" sized 375x24
double_click
waits_for "a second double click did not unfold the window" sized 375x154
at "$start_x" "$start_y" || fail "folding moved the window to $X,$Y"

# Another program's window takes the focus, and gives it back.
xmessage -geometry +20+20 -name other "another program" &
other=$!
other_window=
waits_for "the other program showed no window" sh -c "xdotool search --onlyvisible --classname '^other\$' >/dev/null"
other_window=$(xdotool search --onlyvisible --classname '^other$' | head -n 1)
xdotool windowactivate --sync "$other_window"
waits_for "the title bar of an inactive program is #$(title_bar_colour)" test "$(title_bar_colour)" = 808080
xdotool windowactivate --sync "$window"
waits_for "the title bar of the program active again is #$(title_bar_colour)" test "$(title_bar_colour)" = C1C1AC
kill "$other"
expect_note_key "after another program had the focus"

# The popup menu at the pointer, from a note button and from a right press on the
# title bar, which leaves the window where it is.
for target in "note button:$((1 + 7 + 10)):$((1 + 21 + 83 + 10))" "title bar:$title_x:$title_y"; do
    IFS=: read -r what dx dy <<<"$target"
    geometry
    wx=$X
    wy=$Y
    xdotool mousemove $((wx + dx)) $((wy + dy)) click 3
    waits_for "a right click on the $what opened no menu" sh -c "[ -n \"\$(xdotool search --onlyvisible --pid $morvil_pid | grep -vx $window)\" ]"
    menu=$(other_windows | head -n 1)
    geometry "$menu"
    [ "$X,$Y" = "$((wx + dx)),$((wy + dy))" ] || fail "the menu from the $what is at $X,$Y, not at the pointer"
    xdotool key Escape
    waits_for "Escape did not close the menu from the $what" sh -c "[ -z \"\$(xdotool search --onlyvisible --pid $morvil_pid | grep -vx $window)\" ]"
    at "$wx" "$wy" || fail "a right click on the $what moved the window to $X,$Y"
    expect_note_key "after the menu from the $what"
done

# A message box over the window, modal: a click on a note button under it plays
# nothing; after it the keys play again.
xdotool key ctrl+n
box=
waits_for "Ctrl+N with notes in the list asked nothing" sh -c "xdotool search --onlyvisible --name '^Yeni\$' >/dev/null"
box=$(xdotool search --onlyvisible --name '^Yeni$' | head -n 1)
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | awk '{for (i = 5; i <= NF; i++) print $i}')
box_level=$(grep -n -x "$(printf '0x%x' "$box")" <<<"$stacking" | cut -d: -f1)
window_level=$(grep -n -x "$(printf '0x%x' "$window")" <<<"$stacking" | cut -d: -f1)
[ -n "$box_level" ] && [ -n "$window_level" ] && [ "$box_level" -gt "$window_level" ] ||
    fail "the message box is not over the window (stacking $box_level against $window_level)"
geometry
heard=$(notes_after 0.4 mousemove $((X + 1 + 7 + 10 + 40 * 8)) $((Y + 1 + 21 + 83 + 10)) click 1)
[ "$heard" = none ] || fail "a note button under the message box played '$heard'"
xdotool windowactivate --sync "$box" key Escape
waits_for "Escape did not close the message box" hidden "$box"
expect_note_key "after the message box"

# The About card over the window; minimising takes both away, restoring brings both back.
geometry
xdotool mousemove $((X + 1 + 2 + 10)) $((Y + 1 + 2 + 9)) click 1
waits_for "the About card did not show" sh -c "[ -n \"\$(xdotool search --onlyvisible --pid $morvil_pid | grep -vx $window)\" ]"
card=$(other_windows | head -n 1)
geometry "$card"
[ "$(pixel $((X + 2)) $((Y + 2)))" = FFFFFF ] || fail "the About card is not over the window"
for with_card in yes no; do
    geometry
    xdotool mousemove $((X + 1 + 332 + 9)) $((Y + 1 + 2 + 8)) click 1
    waits_for "minimising left the window on the screen" hidden "$window"
    [ "$with_card" = no ] || waits_for "minimising left the About card on the screen" hidden "$card"
    xdotool windowactivate --sync "$window"
    waits_for "the window did not come back" visible "$window"
    [ "$with_card" = no ] || waits_for "the About card did not come back with the window" visible "$card"
    if [ "$with_card" = yes ]; then
        geometry "$card"
        xdotool mousemove $((X + 5)) $((Y + 5)) click 1
        waits_for "a click on the About card did not hide it" hidden "$card"
    fi
    expect_note_key "after minimising and restoring ($with_card card)"
done

# A zoom centres the window on its screen.
xdotool key Num_Lock
xdotool key ctrl+84
waits_for "Ctrl+Numpad 5 gave the window $(geometry; echo "${WIDTH}x$HEIGHT at $X,$Y")" sh -c \
    "[ \"\$(xdotool getwindowgeometry $window | tr -d ' ' | grep -o 'Position:[0-9,]*\|Geometry:[0-9x]*' | tr '\n' ' ')\" = 'Position:406,416 Geometry:468x192 ' ]"
expect_note_key "after the zoom"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed under $manager; the program wrote:"
    cat "$work/morvil.log"
    exit 1
fi
echo "desktop checks passed under $manager"
