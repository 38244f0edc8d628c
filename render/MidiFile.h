#pragma once

#include "NoteTimeline.h"

#include <QByteArray>

#include <chrono>

class SampleBank;

// A Standard MIDI File of the melody: type 0, one track, the General MIDI violin,
// one millisecond per MIDI tick. Each note is the pitch it sounds at (the fast row
// an octave above the normal one) at a fixed velocity; it lasts until the next
// note cuts it off, the last one as long as its sample.
QByteArray midiFile(const std::vector<TimedNote> &notes, const SampleBank &bank, std::chrono::microseconds tick);
