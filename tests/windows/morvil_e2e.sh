#!/bin/bash
# The Windows zip's morvil.exe under wine, from outside, in the X server of tools/test-windows.sh (DISPLAY and
# WINEPREFIX set): unpacked into a folder of its own, its window is found by its title at its designed size, the
# A key (X keycode 38) sounds note 0 in SDL's disk capture, Ctrl+Numpad 5 zooms it, closing stores the ten values
# in the registry, and the next start comes back at the stored zoom. Then the settings an earlier version kept
# under HKEY_LOCAL_MACHINE (the 32-bit view it wrote) are read while the user has none. First, morvil-render.exe
# beside it renders to standard output byte for byte what it renders to a file.
# usage: morvil_e2e.sh <zip> <folder of the note samples> <screenshot.png>
set -uo pipefail

zip=$1
samples=$2
screenshot=$3
here=$(cd "$(dirname "$0")/../e2e" && pwd) # listen.sh finds its note finder there
python=${PYTHON:-/usr/bin/python3}         # the one with numpy
source "$here/../support/checks.sh"
source "$here/listen.sh"

# Any folder will do: one with a space in its name, nowhere near the build.
unzip -q "$zip" -d "$work/Morvil test"
program=$(find "$work/Morvil test" -name morvil.exe | head -n 1)
[ -n "$program" ] || { echo "no morvil.exe in $zip"; exit 1; }
capture=$work/sound.raw
user_key='HKCU\Software\MorvilAyar'
title='^\.:: MoRvIl ::\.$'

# Starts the program with its sound captured; sets window, X, Y, WIDTH and HEIGHT.
start() {
    : >"$capture"
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$(winepath -w "$capture")" wine "$program" >"$work/morvil.log" 2>&1 &
    morvil_pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "$title" | head -n 1)
    [ -n "$window" ] || { echo "morvil.exe showed no window titled '.:: MoRvIl ::.'"; cat "$work/morvil.log"; exit 1; }
    for _ in $(seq 100); do
        [ -s "$capture" ] && break
        sleep 0.1
    done
    [ -s "$capture" ] || fail "morvil.exe opened no sound output"
    sleep 0.5 # the first paint
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool windowfocus --sync "$window"
}

# click <x> <y>, at a place of the designed 375-pixel-wide window.
click() {
    xdotool mousemove --sync $((X + $1 * WIDTH / 375)) $((Y + $2 * WIDTH / 375)) click 1
}

# Stops the recording a note began (the button at 68,2 of the designed title bar), or closing would ask first.
stop_recording() {
    click $((1 + 68 + 10)) $((1 + 2 + 9))
}

# Closes the program with its own close button (at 352,2 of the designed title bar) and waits for it to end.
close() {
    click $((1 + 352 + 9)) $((1 + 2 + 8))
    timeout 20 tail --pid="$morvil_pid" -f /dev/null || fail "the close button did not end morvil.exe"
    morvil_pid=
}

# The text of one value of the user's key, as wine's reg shows it.
stored() {
    wine reg query "$user_key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { print $3 }'
}

expect_size() { # WIDTHxHEIGHT what
    [ "${WIDTH}x${HEIGHT}" = "$1" ] || fail "$2: the window is ${WIDTH}x${HEIGHT}, not $1"
}

# morvil-render.exe beside it writes the same bytes to standard output as to a file: no LF became CR LF.
renderer=$(dirname "$program")/morvil-render.exe
printf '00=0\r\n04=100\r\n09=50\r\n' >"$work/melody.mnls"
wine "$renderer" "$(winepath -w "$work/melody.mnls")" "$(winepath -w "$work/melody.wav")" ||
    fail "morvil-render.exe did not write melody.wav"
wine "$renderer" --format wav "$(winepath -w "$work/melody.mnls")" - >"$work/standard-output.wav" ||
    fail "morvil-render.exe did not write to standard output"
cmp -s "$work/melody.wav" "$work/standard-output.wav" || fail "morvil-render.exe's standard output differs from its file"

wine reg delete "$user_key" /f >/dev/null 2>&1
wine reg delete 'HKLM\Software\MorvilAyar' /reg:32 /f >/dev/null 2>&1

start
expect_size 375x154 "at the first start"
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$screenshot"
heard=$(notes_after 0.4 key 38)
[ "$heard" = 0 ] || fail "the A key (X keycode 38) played '$heard', not note 0"
# The keypad gives digits only with Num Lock on; keycode 84 is its 5.
xdotool key Num_Lock key ctrl+84 key Num_Lock
sleep 1
window=$(xdotool search --onlyvisible --name "$title" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
expect_size 468x192 "after Ctrl+Numpad 5"
close

# The first close stores the texts of a first run, the zoom chosen and the Q layout.
for value in kc=clBlack ir=clBtnFace 'zr=$00C2D1D1' 'by=$00AE5700' 'bz=$00C2D1D1' lz=clWindow ly=clWindowText \
    artirma=500 Gorunum=125 Klavye=0; do
    [ "$(stored "${value%%=*}")" = "${value#*=}" ] || fail "closing stored ${value%%=*}='$(stored "${value%%=*}")', not '${value#*=}'"
done

start
expect_size 468x192 "at the next start, with the stored zoom of 125 %"
close

# An earlier version's settings in the machine's key (written there by a 32-bit program) are read while the
# user has no key of their own, and the first close keeps them in the user's key.
wine reg delete "$user_key" /f >/dev/null 2>&1
wine reg add 'HKLM\Software\MorvilAyar' /v Gorunum /d 125 /reg:32 /f >/dev/null
wine reg add 'HKLM\Software\MorvilAyar' /v Klavye /d 1 /reg:32 /f >/dev/null
start
expect_size 468x192 "with an earlier version's zoom of 125 %"
heard=$(notes_after 0.4 key 41)
[ "$heard" = 3 ] || fail "with an earlier version's F layout the key at A (X keycode 41) played '$heard', not note 3"
stop_recording
close
[ "$(stored Gorunum)" = 125 ] && [ "$(stored Klavye)" = 1 ] ||
    fail "the earlier version's settings were not kept in the user's key: Gorunum='$(stored Gorunum)' Klavye='$(stored Klavye)'"
wine reg delete 'HKLM\Software\MorvilAyar' /reg:32 /f >/dev/null 2>&1

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "morvil.exe checks passed"
