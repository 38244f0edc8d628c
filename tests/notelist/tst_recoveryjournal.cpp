#include "FileContent.h"
#include "RecoveryJournal.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The journal's format and files: what a journal cut off or damaged still gives
// back, and which journals a start may take.
class RecoveryJournalTest : public QObject
{
    Q_OBJECT

private slots:
    void cutOrDamagedEntryCostsItselfAlone();
    void onlyJournalsOfGoneOwnersAreTaken();
};

void RecoveryJournalTest::cutOrDamagedEntryCostsItselfAlone()
{
    const NoteLines opened{{"04=100", "7=", ""}, {"SOL(04)", "7=", ""}};
    const std::pair<QByteArray, NoteLines> changes[] = {
        {journalNoteAdded("00=0", "DO (00)"), {{"00=0"}, {"DO (00)"}}},
        {journalNoteAdded("13=4294", "SOL (13)"), {{"00=0", "13=4294"}, {"DO (00)", "SOL (13)"}}},
        {journalLineChanged(1, "03=4294", "FA (03)"), {{"00=0", "03=4294"}, {"DO (00)", "FA (03)"}}},
        {journalLineRemoved(0), {{"03=4294"}, {"FA (03)"}}},
        {journalListReplaced({}), {}},
        {journalListReplaced(opened), opened},
    };
    QByteArray journal = journalHeader();
    NoteLines before;
    for (const auto &[entry, after] : changes) {
        for (qsizetype at = 0; at < entry.size(); ++at) {
            const JournalContents cut = readJournal(journal + entry.first(at));
            QCOMPARE(cut.list, before);
            QCOMPARE(cut.wholeBytes, journal.size());
            QByteArray damaged = entry;
            damaged[at] = char(damaged[at] ^ 0x41);
            QCOMPARE(readJournal(journal + damaged).list, before);
        }
        journal += entry;
        before = after;
    }
    // A row that is not there ends the replay like damage.
    QCOMPARE(readJournal(journal + journalLineRemoved(3)).list, before);
}

void RecoveryJournalTest::onlyJournalsOfGoneOwnersAreTaken()
{
    QTemporaryDir folder;
    QByteArray newer = journalHeader() + journalNoteAdded("00=0", "DO (00)");
    newer[8] = 2; // the format's version
    writeFile(folder.filePath("newer.journal"), newer);
    writeFile(folder.filePath("emptied.journal"),
              journalHeader() + journalNoteAdded("00=0", "DO (00)") + journalListReplaced({}));
    writeFile(folder.filePath("torn.journal"), journalHeader().first(5));
    auto owner = std::make_unique<RecoveryJournal>();
    owner->start(folder.path());
    owner->noteAdded("00=0", "DO (00)");
    QVERIFY(!LeftJournal::claimNewest(folder.path()));

    // Gone without a normal end, as in a crash, in the middle of its next write.
    const QString path = owner->path();
    owner.reset();
    writeFile(path, fileBytes(path) + journalNoteAdded("01=5", "RE (01)").first(7));
    {
        std::optional<LeftJournal> left = LeftJournal::claimNewest(folder.path());
        QVERIFY(left);
        QCOMPARE(left->list(), (NoteLines{{"00=0"}, {"DO (00)"}}));
        // Held while its question is open: a second start passes it by.
        QVERIFY(!LeftJournal::claimNewest(folder.path()));
        RecoveryJournal adopted;
        adopted.adopt(*left);
        adopted.noteAdded("08=12", "# (08)");
    }
    const JournalContents goneOn = readJournal(fileBytes(path));
    QCOMPARE(goneOn.list, (NoteLines{{"00=0", "08=12"}, {"DO (00)", "# (08)"}}));
    QCOMPARE(goneOn.wholeBytes, fileBytes(path).size());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), (QStringList{"newer.journal", QFileInfo(path).fileName()}));
}

QTEST_GUILESS_MAIN(RecoveryJournalTest)
#include "tst_recoveryjournal.moc"
