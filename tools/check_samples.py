#!/usr/bin/python3
"""Measures the eighteen note samples: check_samples.py DIR

Prints, per note, the fundamental and its error against the equal-tempered pitch, the peak level
and the onset (time to -20 dB of the peak). Exits with 1 when a note is more than 10 cents off,
starts later than 5 ms, or touches full scale."""
import math
import os
import struct
import sys

import numpy as np
from numpy.lib.stride_tricks import sliding_window_view

RATE = 22050
MIDI_KEYS = [60, 62, 64, 65, 67, 69, 71, 72, 74]
NAMES = ["C4", "D4", "E4", "F4", "G4", "A4", "B4", "C5", "D5"]
MAX_CENTS = 10.0
MAX_ONSET_MS = 5.0

WINDOW = 1024
HOP = 256
LOWEST_HZ, HIGHEST_HZ = 120.0, 2400.0
YIN_THRESHOLD = 0.12


def read_samples(path):
    """The 16-bit samples of the "data" chunk, found by walking the chunks after "WAVE"."""
    with open(path, "rb") as f:
        image = f.read()
    pos = 12
    while pos + 8 <= len(image):
        chunk_id, size = struct.unpack_from("<4sI", image, pos)
        if chunk_id == b"data":
            return np.frombuffer(image, dtype="<i2", count=size // 2, offset=pos + 8)
        pos += 8 + size + (size & 1)
    sys.exit("%s: no data chunk" % path)


def frame_period(frame, max_lag, min_lag):
    """YIN: the first dip of the cumulative-mean-normalised difference under the threshold."""
    lags = sliding_window_view(frame, WINDOW)[:max_lag + 2]
    diff = np.sum((lags - frame[:WINDOW]) ** 2, axis=1)
    normalised = np.ones_like(diff)
    normalised[1:] = diff[1:] * np.arange(1, len(diff)) / np.maximum(np.cumsum(diff[1:]), 1e-20)
    lag = None
    for t in range(min_lag, max_lag + 1):
        if normalised[t] < YIN_THRESHOLD and normalised[t] <= normalised[t + 1]:
            lag = t
            break
    if lag is None:
        lag = min_lag + int(np.argmin(normalised[min_lag:max_lag + 1]))
    before, at, after = normalised[lag - 1], normalised[lag], normalised[lag + 1]
    curvature = before - 2 * at + after
    return lag + (0.5 * (before - after) / curvature if curvature else 0.0)


def fundamental(x, skip_s, tail_s):
    """Median pitch over the sustained part, leaving out the attack and the fade-out."""
    min_lag, max_lag = int(RATE / HIGHEST_HZ), int(RATE / LOWEST_HZ) + 1
    span = WINDOW + max_lag + 2
    first, last = int(skip_s * RATE), len(x) - int(tail_s * RATE) - span
    periods = [frame_period(x[start:start + span], max_lag, min_lag) for start in range(first, last, HOP)]
    return RATE / float(np.median(periods))


def measure(path, target_hz, fast):
    raw = read_samples(path)
    x = raw.astype(np.float64) / 32768.0
    peak = np.max(np.abs(x))
    f0 = fundamental(x, 0.125 if fast else 0.25, 0.05 if fast else 0.1)
    return {
        "count": len(raw),
        "f0": f0,
        "cents": 1200 * math.log2(f0 / target_hz),
        "peak_dbfs": 20 * math.log10(peak),
        "onset_ms": 1000 * int(np.argmax(np.abs(x) >= 0.1 * peak)) / RATE,
        "full_scale": int(np.sum((raw == 32767) | (raw == -32768))),
    }


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    failures = 0
    print("note  pitch  samples  f0 Hz    cents  peak dBFS  onset ms  full-scale")
    for index in range(18):
        k, fast = index % 9, index >= 9
        target = 440.0 * 2 ** ((MIDI_KEYS[k] + (12 if fast else 0) - 69) / 12)
        m = measure(os.path.join(argv[1], "note%02d.wav" % index), target, fast)
        pitch = NAMES[k][0] + str(int(NAMES[k][1]) + (1 if fast else 0))
        problems = []
        if abs(m["cents"]) > MAX_CENTS:
            problems.append("out of tune")
        if m["onset_ms"] > MAX_ONSET_MS:
            problems.append("late onset")
        if m["full_scale"]:
            problems.append("full scale")
        failures += bool(problems)
        print("%02d    %-5s  %7d  %7.2f  %+5.1f  %9.2f  %8.2f  %10d  %s" % (
            index, pitch, m["count"], m["f0"], m["cents"], m["peak_dbfs"], m["onset_ms"], m["full_scale"],
            ", ".join(problems)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
