#include "RecoveryJournal.h"

#include "Error.h"
#include "SyncToDisk.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace {

const QString JournalSuffix = QStringLiteral(".journal");
// A crash loses at most the last second of notes to a power cut, never more.
constexpr std::chrono::seconds SyncInterval{1};

// The lock beside a journal tells a running owner from one that is gone. Never
// stale by age: a Morvil may run for days; a dead owner's process is what counts.
std::unique_ptr<QLockFile> lockOf(const QString &journalPath)
{
    auto lock = std::make_unique<QLockFile>(journalPath + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

QString defaultJournalFolder()
{
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#else
    // Qt 6.4 has no state location: the XDG base directory rule, which takes only an absolute path.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Morvil");
#endif
}

// Owns the journal file and its lock; its thread alone touches the file.
class RecoveryJournal::Writer
{
public:
    Writer(QString path, std::unique_ptr<QLockFile> lock, std::unique_ptr<QFile> file)
        : m_path(std::move(path)), m_lock(std::move(lock)), m_file(std::move(file)), m_thread([this] { run(); })
    {
    }

    ~Writer() { stop(); }

    const QString &path() const { return m_path; }

    void append(const QByteArray &entry)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_pending.append(entry);
        }
        m_wake.notify_one();
    }

    void makeDurable()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_syncWanted = true;
        }
        m_wake.notify_one();
    }

    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        if (m_thread.joinable())
            m_thread.join();
    }

    void remove()
    {
        stop();
        m_file->close();
        QFile::remove(m_path);
        m_lock->unlock();
    }

private:
    // Sleeps until there is something to write, a sync falls due or the end
    // comes, so an idle journal costs no processor time.
    void run()
    {
        using Clock = std::chrono::steady_clock;
        Clock::time_point lastSync;
        bool unsynced = false;
        std::unique_lock lock(m_mutex);
        for (;;) {
            const auto ready = [this] { return !m_pending.isEmpty() || m_syncWanted || m_stopping; };
            if (unsynced)
                m_wake.wait_until(lock, lastSync + SyncInterval, ready);
            else
                m_wake.wait(lock, ready);
            const QByteArray bytes = std::exchange(m_pending, {});
            const bool stopping = m_stopping;
            const bool syncWanted = std::exchange(m_syncWanted, false) || stopping;
            lock.unlock();

            if (!m_failed && !bytes.isEmpty()) {
                m_failed = m_file->write(bytes) != bytes.size();
                unsynced = true;
            }
            if (!m_failed && unsynced && (syncWanted || Clock::now() >= lastSync + SyncInterval)) {
                m_failed = !syncToDisk(*m_file);
                lastSync = Clock::now();
                unsynced = false;
            }
            if (m_failed && !std::exchange(m_failureTold, true))
                qWarning("The recovery journal %s could not be written: %s", qPrintable(m_path),
                         qPrintable(m_file->errorString()));

            lock.lock();
            if (stopping && m_pending.isEmpty())
                return;
        }
    }

    const QString m_path;
    const std::unique_ptr<QLockFile> m_lock;
    const std::unique_ptr<QFile> m_file;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    QByteArray m_pending;
    bool m_syncWanted = false;
    bool m_stopping = false;
    // The writer thread's own: after a failed write nothing more is written.
    bool m_failed = false;
    bool m_failureTold = false;

    std::thread m_thread; // last: it starts once everything it uses exists
};

RecoveryJournal::RecoveryJournal() = default;

RecoveryJournal::~RecoveryJournal() = default;

void RecoveryJournal::start(const QString &folder)
{
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Cannot create the journal folder \"%1\"").arg(QDir::toNativeSeparators(folder)));
    const QString path = QDir(folder).filePath(QStringLiteral("notes-") +
                                               QUuid::createUuid().toString(QUuid::WithoutBraces) + JournalSuffix);
    std::unique_ptr<QLockFile> lock = lockOf(path);
    if (!lock->tryLock(0))
        throw Error(QStringLiteral("Cannot lock the journal \"%1\"").arg(QDir::toNativeSeparators(path)));
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        throw Error(QStringLiteral("Cannot create the journal \"%1\". %2")
                        .arg(QDir::toNativeSeparators(path), file->errorString()));
    m_writer = std::make_unique<Writer>(path, std::move(lock), std::move(file));
    append(journalHeader());
}

void RecoveryJournal::adopt(LeftJournal &left)
{
    auto file = std::make_unique<QFile>(left.m_path);
    // What follows the last whole entry could only hide the entries appended after it.
    if (!file->resize(left.m_contents.wholeBytes) ||
        !file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        throw Error(QStringLiteral("Cannot continue the journal \"%1\". %2")
                        .arg(QDir::toNativeSeparators(left.m_path), file->errorString()));
    m_writer = std::make_unique<Writer>(left.m_path, std::move(left.m_lock), std::move(file));
}

QString RecoveryJournal::path() const
{
    return m_writer ? m_writer->path() : QString();
}

void RecoveryJournal::noteAdded(const QString &record, const QString &line)
{
    if (m_writer)
        append(journalNoteAdded(record, line));
}

void RecoveryJournal::lineChanged(int row, const QString &record, const QString &line)
{
    if (m_writer)
        append(journalLineChanged(row, record, line));
}

void RecoveryJournal::lineRemoved(int row)
{
    if (m_writer)
        append(journalLineRemoved(row));
}

void RecoveryJournal::listReplaced(const NoteLines &list)
{
    if (m_writer)
        append(journalListReplaced(list));
}

void RecoveryJournal::makeDurable()
{
    if (m_writer)
        m_writer->makeDurable();
}

void RecoveryJournal::remove()
{
    if (m_writer)
        m_writer->remove();
    m_writer.reset();
}

void RecoveryJournal::append(const QByteArray &entry)
{
    m_writer->append(entry);
}

std::optional<LeftJournal> LeftJournal::claimNewest(const QString &folder)
{
    const QFileInfoList journals =
        QDir(folder).entryInfoList({QLatin1Char('*') + JournalSuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo &journal : journals) {
        const QString path = journal.filePath();
        std::unique_ptr<QLockFile> lock = lockOf(path);
        if (!lock->tryLock(0))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        JournalContents contents = readJournal(file.readAll());
        if (contents.kind == JournalContents::Kind::NewerFormat)
            continue;
        if (contents.list.records.isEmpty()) {
            file.remove();
            continue;
        }
        return LeftJournal(path, std::move(lock), std::move(contents));
    }
    return std::nullopt;
}

LeftJournal::LeftJournal(QString path, std::unique_ptr<QLockFile> lock, JournalContents contents)
    : m_path(std::move(path)), m_lock(std::move(lock)), m_contents(std::move(contents))
{
}

LeftJournal::LeftJournal(LeftJournal &&) noexcept = default;
LeftJournal &LeftJournal::operator=(LeftJournal &&) noexcept = default;
LeftJournal::~LeftJournal() = default;

void LeftJournal::discard()
{
    QFile::remove(m_path);
    if (m_lock)
        m_lock->unlock();
}
