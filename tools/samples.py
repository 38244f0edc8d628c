#!/usr/bin/python3
"""Helper of make_samples.sh (python3 and numpy only).

  samples.py midi OUT.mid KEY SECONDS    one violin note as a Standard MIDI File
  samples.py assemble WORKDIR OUTDIR     the eighteen WAV files from WORKDIR/mono0.f32 ... mono8.f32
                                         (raw mono float32 at 22 050 Hz, as sox leaves them)
"""
import os
import struct
import sys

import numpy as np

RATE = 22050
VIOLIN_PROGRAM = 40  # General MIDI program 41, counted from 0
VELOCITY = 100
# Sample counts of the normal row, C4 D4 E4 F4 G4 A4 B4 C5 D5; the fast row has half of each, rounded down.
COUNTS = [27806, 28791, 29639, 30495, 27375, 28645, 27358, 28272, 29389]
NAMES = ["C4", "D4", "E4", "F4", "G4", "A4", "B4", "C5", "D5"]

# The note starts 110 samples (4.99 ms) before it first reaches -20 dB of its peak: the bowed attack
# of the sound font is slow, and a key press should be heard at once.
LEAD_SAMPLES = 110
ONSET_LEVEL = 0.1  # -20 dB
# The cut into the faint lead is faded in so that it does not click; this stays inside the lead.
FADE_IN_SAMPLES = round(0.003 * RATE)
FADE_OUT_SAMPLES = round(0.030 * RATE)
PEAK_DBFS = -1.0
FULL_SCALE = 32768.0

LIST_PAYLOAD_BYTES = 68


def write_midi(path, key, seconds):
    """Format 0, one track: violin program, one note held for `seconds`, end of track a beat later."""
    ppq, tempo_us = 480, 500000

    def varlen(value):
        out = [value & 0x7F]
        value >>= 7
        while value:
            out.insert(0, (value & 0x7F) | 0x80)
            value >>= 7
        return bytes(out)

    ticks = round(seconds * 1e6 / tempo_us * ppq)
    track = (varlen(0) + b"\xff\x51\x03" + tempo_us.to_bytes(3, "big")
             + varlen(0) + bytes([0xC0, VIOLIN_PROGRAM])
             + varlen(0) + bytes([0x90, key, VELOCITY])
             + varlen(ticks) + bytes([0x80, key, 0])
             + varlen(ppq) + b"\xff\x2f\x00")
    with open(path, "wb") as out:
        out.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, ppq))
        out.write(b"MTrk" + struct.pack(">I", len(track)) + track)


def onset_index(x, level):
    return int(np.argmax(np.abs(x) >= level))


def cut_note(rendered, count):
    """Cut `count` samples starting LEAD_SAMPLES before the -20 dB point of the cut's own peak.

    The peak depends on where the cut starts, so the start is refined until it no longer moves."""
    start = 0
    for _ in range(10):
        peak = np.max(np.abs(rendered[start:start + count]))
        onset = onset_index(rendered, ONSET_LEVEL * peak)
        new_start = max(0, onset - LEAD_SAMPLES)
        if new_start == start:
            break
        start = new_start
    note = rendered[start:start + count].astype(np.float64)
    if len(note) != count:
        sys.exit("rendering too short: %d samples from %d, %d needed" % (len(rendered) - start, start, count))
    note[:FADE_IN_SAMPLES] *= np.arange(FADE_IN_SAMPLES) / FADE_IN_SAMPLES
    note[-FADE_OUT_SAMPLES:] *= np.linspace(1.0, 0.0, FADE_OUT_SAMPLES)
    return note


def fmt_chunk():
    channels, bits = 1, 16
    block_align = channels * bits // 8
    return b"fmt " + struct.pack("<IHHIIHH", 16, 1, channels, RATE, RATE * block_align, block_align, bits)


def info_entry(chunk_id, text):
    body = text.encode("ascii") + b"\0"
    pad = b"\0" if len(body) % 2 else b""
    return chunk_id + struct.pack("<I", len(body)) + body + pad


def list_chunk(name):
    payload = (b"INFO"
               + info_entry(b"INAM", "Violin " + name)
               + info_entry(b"ISFT", "Morvil")
               + info_entry(b"ICMT", "FluidR3_GM sound font"))
    assert len(payload) == LIST_PAYLOAD_BYTES
    return b"LIST" + struct.pack("<I", len(payload)) + payload


def normal_image(samples, name):
    """The RIFF size covers "fmt " and "data" only; the LIST chunk trails outside it, a quirk kept
    from the original sample bank. Readers stop at the declared size and never see it."""
    data = samples.astype("<i2").tobytes()
    body = b"WAVE" + fmt_chunk() + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body + list_chunk(name)


def fast_image(samples):
    data = samples.astype("<i2").tobytes()
    body = (b"WAVE" + fmt_chunk()
            + b"fact" + struct.pack("<II", 4, len(samples))
            + b"data" + struct.pack("<I", len(data)) + data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def assemble(workdir, outdir):
    notes = []
    for k, count in enumerate(COUNTS):
        rendered = np.fromfile(os.path.join(workdir, "mono%d.f32" % k), dtype="<f4")
        notes.append(cut_note(rendered, count))
    # One gain for the set keeps the sound font's balance between the notes.
    loudest = max(np.max(np.abs(note)) for note in notes)
    gain = 10 ** (PEAK_DBFS / 20) * FULL_SCALE / loudest
    print("common gain %.2f dB (loudest note peaks at %.1f dBFS)" % (20 * np.log10(gain / FULL_SCALE), PEAK_DBFS))
    for k, note in enumerate(notes):
        # Rounding without dither keeps the output byte-for-byte repeatable.
        samples = np.rint(note * gain).astype(np.int16)
        fast = samples[0::2][:len(samples) // 2]
        with open(os.path.join(outdir, "note%02d.wav" % k), "wb") as out:
            out.write(normal_image(samples, NAMES[k]))
        with open(os.path.join(outdir, "note%02d.wav" % (k + 9)), "wb") as out:
            out.write(fast_image(fast))


def main(argv):
    if len(argv) == 5 and argv[1] == "midi":
        write_midi(argv[2], int(argv[3]), float(argv[4]))
    elif len(argv) == 4 and argv[1] == "assemble":
        assemble(argv[2], argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
