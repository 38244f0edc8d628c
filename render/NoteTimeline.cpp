#include "NoteTimeline.h"

#include "Error.h"
#include "NoteStep.h"

std::vector<TimedNote> timeNotes(const QStringList &records)
{
    std::vector<TimedNote> notes;
    qint64 tick = 0;
    for (qsizetype line = 0; line < records.size(); ++line) {
        std::optional<NoteStep> step;
        try {
            step = noteStep(records.at(line));
        } catch (const Error &error) {
            throw Error(QStringLiteral("line %1 (\"%2\"): %3").arg(line + 1).arg(records.at(line), error.text()));
        }
        if (!step)
            continue;
        tick += step->waitTicks;
        notes.push_back({step->note, tick});
    }
    return notes;
}

void checkMelodyDuration(const std::vector<TimedNote> &notes, std::chrono::microseconds tick)
{
    const qint64 maxTicks = std::chrono::microseconds(MaxMelodyDuration) / tick;
    if (!notes.empty() && notes.back().startTick > maxTicks) {
        throw Error(QStringLiteral("the melody would last longer than %1 hours, more than an output file can hold")
                        .arg(MaxMelodyDuration.count()));
    }
}
