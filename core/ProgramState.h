#pragma once

#include "ColorValue.h"

#include <QString>
#include <QtGlobal>

// The state the window's commands share. Everything starts zero, false or empty;
// the first show sets RecordStopped before any input is handled.
struct ProgramState
{
    bool RecordStopped = false; // no recording runs; the recorder's loop ends when it sees this
    qint32 WaitTicks = 0;       // ticks of the recorder's loop since the last note
    qint64 PlayTicks = 0;       // ticks of the player's current wait: a count + 1, up to 2^31
    bool Playing = false;
    bool StopPlaying = false;
    ColorValue NoteButtonColor = 0; // what RestoreNoteColors gives the note buttons
    bool ScaleApplied = false;
    qint32 ViewScale = 0;      // zoom in percent, 0 standing for 100
    qint32 KeyboardLayout = 0; // stored layout: 0 Q, 1 F, anything else neither
    QString CompactRestoreHeight;
    qint32 IncrementSetting = 0;
};
