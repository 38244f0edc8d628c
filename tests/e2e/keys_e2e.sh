#!/bin/bash
# Plays Morvil from a real X keyboard and listens to what it sounds.
# usage: keys_e2e.sh <morvil program> <folder of the note samples>
#
# Runs the program in its own Xvfb, sends X keycodes under the US, Turkish Q and
# Turkish F layouts, and identifies the notes in SDL's disk-driver capture of the
# program's sound output.
set -uo pipefail

morvil=$1
samples=$2
here=$(cd "$(dirname "$0")" && pwd)
python=${PYTHON:-/usr/bin/python3} # the one with numpy
source "$here/xserver.sh"
source "$here/listen.sh"

setxkbmap us || { echo "no X server on $DISPLAY"; exit 1; }

# No stored settings: the Q table is in force.
capture=$work/sound.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture
start_listened_to

# There is no window manager: the focus must be given to the window before typing.
focus() {
    xdotool windowfocus --sync "$window"
}

# expect_notes <what> <expected notes> <X key, as xdotool names it>
expect_notes() {
    local heard
    heard=$(notes_after 0.4 key "$3")
    [ "$heard" = "$2" ] || fail "$1: key $3 played '$heard', expected '$2'"
}

focus

# Q table, US layout: the home row plays notes 0-8, the row above 9-17.
for note in $(seq 0 8); do
    expect_notes "Q table, us" "$note" $((38 + note))
    expect_notes "Q table, us" $((note + 9)) $((24 + note))
done

# Modifiers: no note.
expect_notes "Shift" none shift+38
expect_notes "Ctrl" none ctrl+38
expect_notes "Alt" none alt+38

# Held for a second, the key repeats its note.
heard=$(notes_after 0.3 keydown 42 sleep 1 keyup 42)
repeats=$(wc -w <<<"$heard")
if [ "$repeats" -lt 3 ] || [ -n "$(tr -d ' 4' <<<"$heard")" ]; then
    fail "holding G played '$heard', expected note 4 several times"
fi
echo "holding G for 1 s played note 4 $repeats times"

# Turkish Q: the ı key at the place of the US I plays note 16.
setxkbmap tr
focus
expect_notes "Q table, tr" 0 38
expect_notes "Q table, tr (ı)" 16 31
expect_notes "Q table, tr" 9 24

# AltGr (the right Alt, ISO Level 3 shift under Turkish Q) and the Windows key are
# modifiers too: no note.
heard=$(notes_after 0.4 keydown 108 key 38 keyup 108)
[ "$heard" = none ] || fail "AltGr: key 38 played '$heard', expected 'none'"
expect_notes "Meta" none super+38

# Turkish F, after Ctrl+F chooses the F table.
setxkbmap tr f
focus
expect_notes "Ctrl+F" none ctrl+f
expect_notes "F table, tr f (U)" 0 38
expect_notes "F table, tr f (F)" 9 24
expect_notes "F table, tr f (A)" 3 41
expect_notes "F table, tr f (İ)" 1 39
expect_notes "F table, tr f (Ğ)" 11 26
expect_notes "F table, tr f (Ü)" 4 42

if [ "$failures" -ne 0 ]; then
    echo "$failures failures; the program wrote:"
    cat "$work/morvil.log"
    exit 1
fi
echo "all key cases passed"
