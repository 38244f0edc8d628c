#!/bin/bash
# Starts Morvil on a prepared settings file and looks at it from outside: the
# stored colours and keyboard layout are in force, and closing saves the settings
# back as the expected texts.
# usage: settings_e2e.sh <morvil program> <folder of the note samples>
set -uo pipefail

morvil=$1
samples=$2
here=$(cd "$(dirname "$0")" && pwd)
python=${PYTHON:-/usr/bin/python3} # the one with numpy
source "$here/xserver.sh"
source "$here/listen.sh"

settings=$work/config/Morvil/morvil.ini
mkdir -p "$(dirname "$settings")"
cat >"$settings" <<'INI'
[MorvilAyar]
kc=clRed
ir=$00112233
zr=clSkyBlue
by=clNavy
bz=CLYELLOW
lz=clWhite
ly=clBlack
artirma=77
Gorunum=125
Klavye=1
INI

setxkbmap tr f || { echo "no X server on $DISPLAY"; exit 1; }
capture=$work/sound.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture
start_listened_to
sleep 0.5
[ "$WIDTH" = 468 ] && [ "$HEIGHT" = 192 ] || fail "at the stored zoom of 125 % the window is ${WIDTH}x${HEIGHT}, not 468x192"

# check_pixel <x> <y> <expected RRGGBB> <what>, at a place of the designed 375-pixel-wide window.
check_pixel() {
    local x=$((X + $1 * WIDTH / 375)) y=$((Y + $2 * WIDTH / 375)) seen
    seen=$(pixel "$x" "$y")
    [ "$seen" = "$3" ] || fail "$4 at $x,$y is #$seen, not #$3"
}
check_pixel 0 0 FF0000 "the frame (kc clRed)"
check_pixel 368 82 A6CAF0 "the button panel (zr clSkyBlue)"
check_pixel 11 48 FFFF00 "the face of the first note button (bz clYellow)"

# The F table is in force without choosing it: U, A and F play notes 0, 3 and 9.
for key_note in 38:0 41:3 24:9; do
    heard=$(notes_after 0.4 key "${key_note%:*}")
    [ "$heard" = "${key_note#*:}" ] || fail "F table: key ${key_note%:*} played '$heard', expected ${key_note#*:}"
done

# click <x> <y>, at a place of the designed window.
click() {
    click_at $((X + $1 * WIDTH / 375)) $((Y + $2 * WIDTH / 375)) 1
}

# The frame's colour dialog ("Renk Ayarları", the twelfth item, its first entry), closed
# once with OK and once cancelled, puts no custom colours into the settings all Qt programs share.
for answer in Return Escape; do
    click_at $((X + 250 * WIDTH / 375)) $((Y + 12 * WIDTH / 375)) 3
    sleep 0.5
    xdotool key --repeat 12 --delay 40 Down key Right Return
    focus_titled 'Renk Seç' && xdotool key "$answer" || fail "Kenar Çizgileri showed no colour dialog"
done

# Stop the recording the notes began (the button at 68,2 of the title bar), then
# close (the button at 352,2). The notes gave the note buttons their fixed colour back.
click $((1 + 68 + 10)) $((1 + 2 + 9))
click $((1 + 352 + 9)) $((1 + 2 + 8))
ended || fail "the close button did not end the program"
expected='[MorvilAyar]
Gorunum=125
Klavye=1
artirma=77
by=clNavy
bz=$00C2D1D1
ir=$00112233
kc=clRed
ly=clBlack
lz=clWhite
zr=clSkyBlue'
[ "$(cat "$settings")" = "$expected" ] || fail "closing saved:
$(cat "$settings")"
! grep -s customColors "$work/config/QtProject.conf" || fail "Qt's shared settings got custom colours"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "settings checks passed"
