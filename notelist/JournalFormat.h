#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// The recovery journal of the note list is a header followed by entries, each a
// change of the list. An entry is its payload's size, its kind, the payload and a
// check over all three, so a journal cut off or damaged anywhere still yields the
// list as it stood after its last whole entry. Texts are kept as UTF-8.

// The two parallel lists of the window: note records and their display lines.
struct NoteLines
{
    QStringList records;
    QStringList lines;

    bool operator==(const NoteLines &) const = default;
};

// The bytes a new journal starts with.
QByteArray journalHeader();

// The entries, one for each change of the list.
QByteArray journalNoteAdded(const QString &record, const QString &line);
QByteArray journalLineChanged(int row, const QString &record, const QString &line);
QByteArray journalLineRemoved(int row);
// A list opened, emptied or brought back: the whole list in place of the old one.
QByteArray journalListReplaced(const NoteLines &list);

struct JournalContents
{
    enum class Kind
    {
        Journal,     // ours: list holds what its whole entries make
        NewerFormat, // written by a later Morvil, which alone can read it
        Unknown,     // no journal header: empty, cut inside the header, or other bytes
    };
    Kind kind = Kind::Unknown;
    NoteLines list;
    // The header and every whole entry: where the next entry may be appended.
    qsizetype wholeBytes = 0;
};

// Replays a journal's entries from the start up to the first one that is cut off,
// fails its check or does not fit the list (a row that is not there).
JournalContents readJournal(QByteArrayView bytes);
