#include "NoteTimeline.h"

#include "Error.h"
#include "NoteRecord.h"
#include "NoteTable.h"

std::vector<TimedNote> timeNotes(const QStringList &records)
{
    std::vector<TimedNote> notes;
    qint64 tick = 0;
    for (qsizetype line = 0; line < records.size(); ++line) {
        ParsedRecord record{};
        try {
            record = parseNoteRecord(records.at(line));
        } catch (const Error &error) {
            throw Error(QStringLiteral("line %1 (\"%2\"): %3").arg(line + 1).arg(records.at(line), error.text()));
        }
        if (!isNoteIndex(record.note))
            continue;
        if (record.count >= 0)
            tick += qint64(record.count) + 1;
        notes.push_back({record.note, tick});
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
