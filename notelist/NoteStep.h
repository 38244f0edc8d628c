#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// One step of a playback: the note a record sounds and the ticks the player waits
// before it.
struct NoteStep
{
    int note;
    qint64 waitTicks;
};

// The step a note record makes when the list is played, the one rule the window's
// player and morvil-render both follow: the count is converted first, then the
// note, each raising Error("'<text>' is not a valid integer value"); a note
// outside the note table makes no step (nothing is waited for, nothing sounds); a
// count c of 0 or more waits c + 1 ticks, a negative count none.
std::optional<NoteStep> noteStep(const QString &record);
