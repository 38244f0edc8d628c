#pragma once

#include <QStringList>
#include <QtGlobal>

#include <chrono>
#include <vector>

// A note as the player sounds it: which note, and at which tick after the start
// of the playback.
struct TimedNote
{
    int note;
    qint64 startTick;
};

// The notes of a list of note records, in the order and at the ticks at which
// the player sounds them, each record's step (noteStep) after the one before.
// Raises Error("line <n> (\"<record>\"): <reason>") for the first record that is
// not a note record, n counting from 1.
std::vector<TimedNote> timeNotes(const QStringList &records);

// The longest melody rendered: a WAV file at 48 kHz cannot hold much more, and a
// MIDI file's waits end at about 74 hours.
inline constexpr std::chrono::hours MaxMelodyDuration{12};

// Raises Error when the last note would start later than MaxMelodyDuration
// after the start of the playback, at the given tick length.
void checkMelodyDuration(const std::vector<TimedNote> &notes, std::chrono::microseconds tick);
