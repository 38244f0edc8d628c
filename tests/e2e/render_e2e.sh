#!/bin/bash
# A melody played on the real window, saved with Ctrl+S through the real dialog and
# rendered by morvil-render: every note of the WAV starts at its recorded wait.
# usage: render_e2e.sh <morvil program> <morvil-render program> <folder of the note samples>
set -uo pipefail

morvil=$(realpath "$1")
render=$(realpath "$2")
samples=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
python=${PYTHON:-/usr/bin/python3} # the one with numpy
source "$here/xserver.sh"

setxkbmap us || { echo "no X server on $DISPLAY"; exit 1; }
cd "$work" || exit 1
export SDL_AUDIODRIVER=dummy
start_morvil

# Five notes of both rows, 0.15 to 0.6 s apart, then the recording stops.
xdotool windowfocus --sync "$window"
xdotool key 38 sleep 0.35 key 42 sleep 0.15 key 28 sleep 0.6 key 46 sleep 0.25 key 24 sleep 0.2
xdotool key ctrl+F11
xdotool key ctrl+s
focus_titled 'Farklı Kaydet' || { fail "Ctrl+S showed no save dialog"; exit 1; }
xdotool type --delay 20 melody
xdotool key Return
for _ in $(seq 50); do [ -s melody.mnls ] && break; sleep 0.1; done
[ -s melody.mnls ] || { fail "no melody.mnls was saved"; exit 1; }

"$render" melody.mnls melody.wav || fail "morvil-render failed on the saved list"

"$python" - melody.mnls melody.wav "$samples" "$here" <<'PYTHON' || fail "the rendered notes do not lie at the recorded waits"
import sys, wave
import numpy as np
sys.path.insert(0, sys.argv[4])
import keys_e2e_notes as notes

RATE = 22050
records = open(sys.argv[1], "rb").read().decode("cp1254").split("\r\n")[:-1]
expected, ms = [], 0
for record in records:
    ms += int(record[3:]) + 1
    expected.append((int(record[:2]), ms))
with wave.open(sys.argv[2]) as rendered:
    signal = np.frombuffer(rendered.readframes(rendered.getnframes()), dtype="<i2").astype(np.float64)
found = notes.note_starts(signal, sys.argv[3])
print("recorded:", records)
print("found at (ms):", [(note, round(start * 1000 / RATE, 2)) for start, note in found])
if [note for _, note in found] != [note for note, _ in expected]:
    sys.exit("the notes differ")
worst = max(abs(start * 1000 / RATE - at) for (start, _), (_, at) in zip(found, expected))
print(f"largest distance from the recorded wait: {worst:.3f} ms")
sys.exit(0 if worst <= 1.0 else 1)
PYTHON

if [ "$failures" -ne 0 ]; then
    echo "$failures failures; the program wrote:"
    cat "$work/morvil.log"
    exit 1
fi
echo "the rendered melody keeps the recorded waits"
