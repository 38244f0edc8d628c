#!/bin/bash
# Saves and opens note lists through Morvil's real file dialogs, in an X server
# of its own: records three notes, saves them with Ctrl+S under a name typed
# without its extension, checks the file's bytes, then opens a crafted list with
# Ctrl+O and listens to its playback in SDL's disk-driver capture.
# usage: files_e2e.sh <morvil program> <folder of the note samples>
set -uo pipefail

morvil=$(realpath "$1")
samples=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
python=${PYTHON:-/usr/bin/python3} # the one with numpy
source "$here/xserver.sh"
source "$here/listen.sh"
# The dialogs are Turkish whatever the desktop's language, even the plainest.
export LANG=C
unset LC_ALL LC_MESSAGES LANGUAGE

setxkbmap us || { echo "no X server on $DISPLAY"; exit 1; }

# The dialogs start in the working folder.
cd "$work" || exit 1
capture=$work/sound.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$capture
start_listened_to

# Records C4, G4 and D5 with the home row, then saves while still recording:
# the warning's default answer (Yes) stops the recording, and the dialog adds .mnls.
xdotool windowfocus --sync "$window"
xdotool key 38 sleep 0.3 key 42 sleep 0.3 key 46 sleep 0.3
xdotool key ctrl+s
if focus_titled UYARI; then
    xdotool key Return
else
    fail "saving while recording did not ask first"
fi
if focus_titled 'Farklı Kaydet'; then
    xdotool type --delay 20 liste
    xdotool key Return
else
    fail "Ctrl+S showed no save dialog"
fi
if appears "$work/liste.mnls"; then
    "$python" - "$work/liste.mnls" <<'PYTHON' || fail "liste.mnls holds $(od -c "$work/liste.mnls" | head -n 3)"
import re, sys
data = open(sys.argv[1], "rb").read()
sys.exit(0 if re.fullmatch(rb"00=0\r\n04=[1-9][0-9]*\r\n08=[1-9][0-9]*\r\n", data) else 1)
PYTHON
else
    fail "no liste.mnls was saved"
fi

# Opens a crafted list (a bare name again) and plays it: note 13 after 101 ticks of 1 ms, then note 2.
printf '13=100\r\n02=200\r\n' >"$work/tune.mnls"
xdotool windowfocus --sync "$window"
xdotool key ctrl+o
if focus_titled 'Aç'; then
    xdotool type --delay 20 tune
    xdotool key Return
else
    fail "Ctrl+O showed no open dialog"
fi
sleep 0.5
xdotool windowfocus --sync "$window"
start=$(stat -c %s "$capture")
xdotool key ctrl+F9
sleep 1.5
heard=$("$python" "$here/keys_e2e_notes.py" "$capture" "$start" "$samples")
[ "$heard" = "13 2" ] || fail "the opened list played '$heard', expected '13 2'"

# The window, disabled while it read the file, takes notes again.
start=$(stat -c %s "$capture")
xdotool key 40
sleep 0.4
heard=$("$python" "$here/keys_e2e_notes.py" "$capture" "$start" "$samples")
[ "$heard" = "2" ] || fail "after opening, key D played '$heard', expected '2'"

# A list given on the command line, as a file manager gives it, opens as through "Aç...".
restart() { # arguments...
    kill "$morvil_pid" && wait "$morvil_pid" 2>/dev/null
    rm -rf "$capture" "$XDG_STATE_HOME" # the last run's sound, and the journal it leaves
    start_listened_to "$@"
}
restart tune.mnls
heard=$(notes_after 1.5 key ctrl+F9)
[ "$heard" = "13 2" ] || fail "the list given on the command line played '$heard', expected '13 2'"
# A missing one is reported in a box over the window, which then takes notes.
restart missing.mnls
for _ in $(seq 50); do
    box=$(xdotool search --onlyvisible --pid "$morvil_pid" | grep -vx "$window") && break
    sleep 0.1
done
[ -n "$box" ] && xdotool windowfocus --sync "$box" key Return || fail "a missing list showed no error box"
xdotool windowfocus --sync "$window"
heard=$(notes_after 0.4 key 40)
[ "$heard" = 2 ] || fail "after the error box, key D played '$heard', expected '2'"
# A binary file opens up to its first NUL byte: a picture's first two lines.
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR' >picture.png
restart picture.png
xdotool key ctrl+s
focus_titled 'Farklı Kaydet' && xdotool type --delay 20 binary && xdotool key Return
appears binary.mnls && printf '\x89PNG\r\n\x1a\r\n' | cmp -s - binary.mnls ||
    fail "the binary file opened as$(od -An -c binary.mnls 2>/dev/null | tr -s ' ')"
timeout 10 "$morvil" one.mnls two.mnls 2>usage.txt
[ $? = 2 ] && grep -qxF 'usage: morvil [FILE.mnls]' usage.txt || fail "two lists did not give the usage"

if [ "$failures" -ne 0 ]; then
    echo "$failures failures; the program wrote:"
    cat "$work/morvil.log"
    exit 1
fi
echo "file dialog cases passed"
