#pragma once

#include "JournalFormat.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// The folder of the journals: the user's state folder, $XDG_STATE_HOME/Morvil or
// ~/.local/state/Morvil; on Windows the local application data folder.
QString defaultJournalFolder();

class LeftJournal;

// The running program's journal of its note list: a file of its own in the
// journal folder, locked while the program lives, to which every change of the
// list is appended. The window's thread only hands entries over; a writer thread
// writes each at once and makes the file durable (fsync) at most once a second,
// and at once when asked. A write that fails ends the journal there, so that no
// later change is ever replayed without the ones before it. Until started it
// takes every change and keeps none.
class RecoveryJournal
{
public:
    RecoveryJournal();
    // Writes what is pending and stops; the file stays, as after a crash.
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal &) = delete;
    RecoveryJournal &operator=(const RecoveryJournal &) = delete;

    // Begins a new journal in folder, made if missing. Raises Error when it cannot.
    void start(const QString &folder);
    // Goes on with a left journal after its last whole entry. Raises Error when it cannot.
    void adopt(LeftJournal &left);
    bool isStarted() const { return m_writer != nullptr; }
    QString path() const;

    void noteAdded(const QString &record, const QString &line);
    void lineChanged(int row, const QString &record, const QString &line);
    void lineRemoved(int row);
    void listReplaced(const NoteLines &list);

    // Makes what was handed over durable now rather than within the second.
    void makeDurable();
    // At a normal end: stops writing and removes the file and its lock.
    void remove();

private:
    class Writer;
    void append(const QByteArray &entry);

    std::unique_ptr<Writer> m_writer;
};

// A journal whose program is gone, held (locked) by this program until it is
// adopted or discarded; dropping it unlocks the journal for a later start.
class LeftJournal
{
public:
    // The most recently written journal in folder whose program is gone and that
    // holds notes. Journals that hold none are removed on the way; journals of a
    // newer format are left alone, and so are those whose program still runs.
    static std::optional<LeftJournal> claimNewest(const QString &folder);

    LeftJournal(LeftJournal &&) noexcept;
    LeftJournal &operator=(LeftJournal &&) noexcept;
    ~LeftJournal();

    const NoteLines &list() const { return m_contents.list; }
    // Removes the journal and its lock.
    void discard();

private:
    friend class RecoveryJournal;
    LeftJournal(QString path, std::unique_ptr<QLockFile> lock, JournalContents contents);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    JournalContents m_contents;
};
