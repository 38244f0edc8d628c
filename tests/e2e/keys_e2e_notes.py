#!/usr/bin/env python3
"""Which notes start in a stretch of Morvil's captured sound output.

usage: keys_e2e_notes.py <capture.raw> <from byte> <samples folder>

The capture is SDL's disk driver output: signed 16-bit mono at 22 050 Hz, a bit-exact
copy of the samples played. A note is found where the opening of its sample appears
in the capture. Prints the notes in the order they start, e.g. "4 4 4", or "none".
"""
import sys
import wave

import numpy as np

RATE = 22050
# A note is recognised by a stretch of its sample that follows the first 3 ms, so that
# the short ramp cutting off the previous note does not hide it. The capture holds an
# exact copy; elsewhere in the samples the nearest stretch differs by 16 % of its norm.
SKIPPED = 64
OPENING = 512
MAX_DIFFERENCE = 0.05
MIN_GAP = RATE // 100  # two starts of a note lie at least 10 ms apart


def read_capture(path, start):
    with open(path, "rb") as capture:
        capture.seek(start - start % 2)
        return np.frombuffer(capture.read(), dtype="<i2").astype(np.float64)


def opening(samples, note):
    with wave.open(f"{samples}/note{note:02d}.wav") as sample:
        frames = np.frombuffer(sample.readframes(sample.getnframes()), dtype="<i2").astype(np.float64)
    return frames[SKIPPED:SKIPPED + OPENING]


def window_energies(signal, length):
    """The sum of squares of every stretch of signal of that length, in one pass."""
    squares = np.concatenate(([0.0], np.cumsum(signal * signal)))
    return squares[length:] - squares[:-length]


def starts(signal, energies, template):
    """Where in signal the sample with this opening starts."""
    windows = np.lib.stride_tricks.sliding_window_view(signal, len(template))
    difference = energies - 2 * (windows @ template) + template @ template
    found = []
    for position in np.flatnonzero(difference <= (MAX_DIFFERENCE * np.linalg.norm(template)) ** 2):
        if not found or position - found[-1] >= MIN_GAP:
            found.append(int(position) - SKIPPED)
    return found


def note_starts(signal, samples):
    """Every note that starts in signal, as (frame, note), in the order they start."""
    if len(signal) < SKIPPED + OPENING:
        return []
    energies = window_energies(signal, OPENING)
    return sorted(
        (position, note) for note in range(18) for position in starts(signal, energies, opening(samples, note))
    )


def main():
    capture, start, samples = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    events = note_starts(read_capture(capture, start), samples)
    print(" ".join(str(note) for _, note in events) or "none")


if __name__ == "__main__":
    main()
