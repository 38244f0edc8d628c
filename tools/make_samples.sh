#!/bin/bash
# Renders the eighteen note samples into assets/samples (or the directory given):
# the Violin of the FluidR3_GM sound font, one note at a time, dry, mono, 22 050 Hz, 16 bits.
# Needs the Debian packages fluidsynth, fluid-soundfont-gm, sox and python3-numpy.
# Running it twice gives the same bytes; the checksums in SHA256SUMS show it.
set -euo pipefail

TOOLS=$(cd "$(dirname "$0")" && pwd)
OUT=${1:-$TOOLS/../assets/samples}
SOUND_FONT=/usr/share/sounds/sf2/FluidR3_GM.sf2
SOUND_FONT_LICENCE=/usr/share/doc/fluid-soundfont-gm/copyright
# Debian's numpy belongs to the system interpreter, whatever python3 is first on PATH.
PYTHON=${PYTHON:-/usr/bin/python3}
RENDER_RATE=44100

KEYS=(60 62 64 65 67 69 71 72 74) # C4 D4 E4 F4 G4 A4 B4 C5 D5
COUNTS=(27806 28791 29639 30495 27375 28645 27358 28272 29389)

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$OUT"

for k in "${!KEYS[@]}"; do
    # Hold the key well past the cut so that no release lies inside the sample.
    held=$("$PYTHON" -c "print(${COUNTS[$k]} / 22050 + 0.5)")
    "$PYTHON" "$TOOLS/samples.py" midi "$WORK/note$k.mid" "${KEYS[$k]}" "$held"
    # Raw float stereo: fluidsynth dithers when it writes 16 bits, and the dither is not wanted.
    fluidsynth -q -n -i -R 0 -C 0 -r $RENDER_RATE -O float -T raw -E little \
        -F "$WORK/render$k.f32" "$SOUND_FONT" "$WORK/note$k.mid" >/dev/null
    # -R: repeatable, -D: no dither; the result stays float for the cut and the common gain.
    sox -R -D -t f32 -r $RENDER_RATE -c 2 "$WORK/render$k.f32" -t f32 -r 22050 -c 1 "$WORK/mono$k.f32" \
        remix - rate -v 22050
done

"$PYTHON" "$TOOLS/samples.py" assemble "$WORK" "$OUT"
cp "$SOUND_FONT_LICENCE" "$OUT/LICENSE-FluidR3_GM.txt"
(cd "$OUT" && sha256sum note*.wav >SHA256SUMS)
"$PYTHON" "$TOOLS/check_samples.py" "$OUT"
