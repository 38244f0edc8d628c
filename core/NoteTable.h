#pragma once

#include <QString>
#include <array>

// The eighteen notes: 0-8 the normal row, 9-17 the fast row (note 9 + k is note k
// at double speed, an octave higher).
enum class NoteRow { Normal, Fast };

struct Note
{
    int index;
    const char *nn;   // two-digit text, as stored in note records
    const char *name; // UTF-8 caption of the note's action and button
    NoteRow row;
    const char *action; // object name of the note's action
    const char *button; // object name of the note's button
};

inline constexpr int NoteCount = 18;
inline constexpr int RowLength = 9;

extern const std::array<Note, NoteCount> Notes;

bool isNoteIndex(int index);
QString noteText(int index);        // "00" ... "17"
QString noteName(int index);        // "DO", "RE", "Mİ", ...
QString noteDisplayLine(int index); // "DO (00)", "SOL (04)", "# (17)"
