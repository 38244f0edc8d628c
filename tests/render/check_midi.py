#!/usr/bin/env python3
"""Reads a MIDI file with mido, an independent reader, and prints one line per
note: its key, the ms it starts at and the ms it lasts; before them the file's
type, track count, ticks per beat, tempo and program."""
import sys

import mido


def main():
    midi = mido.MidiFile(sys.argv[1])
    tempo = program = None
    started = {}
    notes = []
    now = 0
    for message in midi.tracks[0]:
        now += message.time
        if message.type == "set_tempo":
            tempo = message.tempo
        elif message.type == "program_change":
            program = message.program
        elif message.type == "note_on" and message.velocity > 0:
            started[message.note] = (now, message.velocity)
        elif message.type in ("note_off", "note_on"):
            start, velocity = started.pop(message.note)
            notes.append((start, message.note, now - start, velocity))
    print(f"type {midi.type} tracks {len(midi.tracks)} division {midi.ticks_per_beat} tempo {tempo} program {program}")
    for start, key, length, velocity in sorted(notes):
        print(f"{key} at {start} for {length} velocity {velocity}")


if __name__ == "__main__":
    main()
