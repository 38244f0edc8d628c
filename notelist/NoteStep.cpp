#include "NoteStep.h"

#include "NoteRecord.h"
#include "NoteTable.h"

std::optional<NoteStep> noteStep(const QString &record)
{
    const ParsedRecord parsed = parseNoteRecord(record);
    if (!isNoteIndex(parsed.note))
        return std::nullopt;
    return NoteStep{parsed.note, parsed.count >= 0 ? qint64(parsed.count) + 1 : 0};
}
