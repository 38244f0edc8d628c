#include "ProgramState.h"
#include "ScriptedPump.h"
#include "TickLoops.h"

#include <QTest>

#include <limits>
#include <vector>

// Drives the loops the way the window does: a note records the running count,
// starts a recording and counts; the stop commands set the flags.
class TickLoopsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void noteRecordsTheTickItArrivedIn();
    void notesInsideOneSlotRecordOneEach();
    void stopEndsTheLoopAndResetsTheCount();
    void firstNoteAfterStopRecordsZero();
    void countIsShownAtEveryTick();
    void millionNotesKeepTheStackFlat();
    void boundEndsTheLoopAndTheCountStays();

    void playerWaitsTheGivenTicks();
    void longestRecordedWaitIsWaited();
    void stopPlayingEndsAWait();
    void stopInTheLastTickLetsTheNoteSound();
    void quietWaitWakesOnlyAtItsDeadline();
    void deadlinePassingWhileAHandlerRuns();
    void noteDuringAWaitHoldsThePlaybackUntilStopped();
    void noteDuringPlayerStepPumpStartsItsOwnLoop();
    void everyCountStartsOnItsOwnClock();
    void stepsAreDueOnTheListsSchedule();

private:
    void note();

    ProgramState m_state;
    std::unique_ptr<ScriptedPump> m_pump;
    std::unique_ptr<TickLoops> m_loops;
    std::vector<qint32> m_records;
    std::vector<qint64> m_shown;
};

void TickLoopsTest::init()
{
    m_state = ProgramState{};
    m_state.RecordStopped = true;
    m_pump = std::make_unique<ScriptedPump>();
    m_loops = std::make_unique<TickLoops>(m_state, *m_pump, [this](qint64 count) { m_shown.push_back(count); });
    m_records.clear();
    m_shown.clear();
}

void TickLoopsTest::note()
{
    m_state.RecordStopped = false;
    m_loops->noteSounded();
    m_records.push_back(m_state.WaitTicks);
    m_loops->countSinceNote();
}

void TickLoopsTest::noteRecordsTheTickItArrivedIn()
{
    m_pump->inTick(347, [this] { note(); });
    m_pump->inTick(347 + 12, [this] { note(); });
    m_pump->inTick(347 + 12 + 1, [this] { note(); });
    m_pump->inTick(347 + 12 + 1 + 5, [this] { m_state.RecordStopped = true; });
    note();
    QCOMPARE(m_records, (std::vector<qint32>{0, 347, 12, 1}));
    QCOMPARE(m_pump->ticks(), 347 + 12 + 1 + 5);
}

void TickLoopsTest::notesInsideOneSlotRecordOneEach()
{
    // Every note after the first records at least the first tick of the count
    // before it, however close together the notes come.
    for (int burst = 0; burst < 3; ++burst)
        m_pump->inTick(347, [this] { note(); });
    m_pump->inTick(347 + 1, [this] { note(); });
    m_pump->inTick(347 + 1 + 3, [this] { m_state.RecordStopped = true; });
    note();
    QCOMPARE(m_records, (std::vector<qint32>{0, 347, 1, 1, 1}));
}

void TickLoopsTest::stopEndsTheLoopAndResetsTheCount()
{
    m_pump->inTick(20, [this] { m_state.RecordStopped = true; });
    note();
    QCOMPARE(m_state.WaitTicks, 0);
    // The stop is seen at the start of the next tick: no tick is counted after it.
    QCOMPARE(m_pump->ticks(), 20);
    QCOMPARE(m_shown.back(), 20);
}

void TickLoopsTest::firstNoteAfterStopRecordsZero()
{
    m_pump->inTick(30, [this] { m_state.RecordStopped = true; });
    note();
    m_pump->inTick(7, [this] { m_state.RecordStopped = true; });
    note();
    QCOMPARE(m_records, (std::vector<qint32>{0, 0}));
}

void TickLoopsTest::countIsShownAtEveryTick()
{
    m_pump->inTick(3, [this] { note(); });
    m_pump->inTick(5, [this] { m_state.RecordStopped = true; });
    note();
    QCOMPARE(m_shown, (std::vector<qint64>{1, 2, 3, 1, 2}));
}

void TickLoopsTest::millionNotesKeepTheStackFlat()
{
    constexpr int Notes = 1'000'000;
    int played = 0;
    const char *firstFrame = nullptr;
    const char *deepestFrame = nullptr;
    std::function<void()> press = [&] {
        const char marker = 0;
        if (!firstFrame)
            firstFrame = &marker;
        deepestFrame = std::min(deepestFrame ? deepestFrame : &marker, &marker);
        if (++played == Notes) {
            m_pump->inTick(1, [this] { m_state.RecordStopped = true; });
        } else {
            m_pump->inTick(2, press);
        }
        note();
    };
    m_pump->inTick(1, press);
    note();
    QCOMPARE(played, Notes);
    QCOMPARE(int(m_records.size()), Notes + 1);
    QCOMPARE(m_records.back(), 2);
    // Every note was handled at the same depth of the stack.
    QCOMPARE(deepestFrame, firstFrame);
}

void TickLoopsTest::boundEndsTheLoopAndTheCountStays()
{
    note();
    QCOMPARE(m_pump->ticks(), TickLoops::RecorderTickBound);
    QCOMPARE(m_state.WaitTicks, TickLoops::RecorderTickBound);
    QVERIFY(!m_state.RecordStopped);
    m_pump->inTick(1, [this] { m_state.RecordStopped = true; });
    note();
    QCOMPARE(m_records, (std::vector<qint32>{0, qint32(TickLoops::RecorderTickBound)}));
}

void TickLoopsTest::playerWaitsTheGivenTicks()
{
    QVERIFY(m_loops->waitPlayerTicks(11));
    QCOMPARE(m_pump->ticks(), 11);
    QCOMPARE(m_state.PlayTicks, 11);
    QVERIFY(m_loops->waitPlayerTicks(0));
    QCOMPARE(m_pump->ticks(), 11);
}

void TickLoopsTest::longestRecordedWaitIsWaited()
{
    // A count of 2147483647 asks for one tick more than 32 bits hold.
    const qint64 longest = qint64(std::numeric_limits<qint32>::max()) + 1;
    m_pump->inTick(3, [this] { m_state.StopPlaying = true; });
    QVERIFY(!m_loops->waitPlayerTicks(longest));
    QCOMPARE(m_pump->ticks(), 3);

    m_state.StopPlaying = false;
    m_loops->beginPlayback();
    QVERIFY(m_loops->waitPlayerTicks(longest));
    QCOMPARE(m_pump->ticks(), 3 + longest);
    QCOMPARE(m_state.PlayTicks, longest);
    QCOMPARE(m_shown.back(), longest);
}

void TickLoopsTest::stopPlayingEndsAWait()
{
    m_pump->inTick(4, [this] { m_state.StopPlaying = true; });
    QVERIFY(!m_loops->waitPlayerTicks(100));
    QCOMPARE(m_pump->ticks(), 4);
    QCOMPARE(m_state.PlayTicks, 4);
}

void TickLoopsTest::stopInTheLastTickLetsTheNoteSound()
{
    // The stop test of a tick comes before the messages handled in it, so a stop
    // in the last tick of a wait is seen at the next line.
    m_loops->beginPlayback();
    m_pump->inTick(5, [this] { m_state.StopPlaying = true; });
    QVERIFY(m_loops->waitPlayerTicks(5));
    QCOMPARE(m_state.PlayTicks, 5);
    QVERIFY(!m_loops->waitPlayerTicks(3));
    QCOMPARE(m_pump->ticks(), 5);

    m_state.StopPlaying = false;
    m_loops->beginPlayback();
    m_pump->inTick(4, [this] { m_state.StopPlaying = true; });
    QVERIFY(!m_loops->waitPlayerTicks(5));
    QCOMPARE(m_pump->ticks(), 5 + 4);
}

void TickLoopsTest::quietWaitWakesOnlyAtItsDeadline()
{
    // The count comes from the pump's ticks, not from how often the loop woke.
    m_loops->beginPlayback();
    QVERIFY(m_loops->waitPlayerTicks(900));
    QCOMPARE(m_shown, (std::vector<qint64>{1, 900}));
    QCOMPARE(m_pump->ticks(), 900);
}

void TickLoopsTest::deadlinePassingWhileAHandlerRuns()
{
    m_loops->beginPlayback();
    m_pump->inTick(3, [this] { m_pump->passTicks(10); });
    QVERIFY(m_loops->waitPlayerTicks(5));
    QCOMPARE(m_pump->ticks(), 3 + 10);
    QCOMPARE(m_state.PlayTicks, 5);
    // The waits keep to the playback's clock: the next one is already over, the
    // one after it ends on time.
    QVERIFY(m_loops->waitPlayerTicks(5));
    QCOMPARE(m_pump->ticks(), 3 + 10);
    QVERIFY(m_loops->waitPlayerTicks(5));
    QCOMPARE(m_pump->ticks(), 15);

    // A stop handled before the deadline passed still ends the wait.
    m_loops->beginPlayback();
    m_pump->inTick(3, [this] {
        m_state.StopPlaying = true;
        m_pump->passTicks(10);
    });
    QVERIFY(!m_loops->waitPlayerTicks(5));
}

void TickLoopsTest::noteDuringAWaitHoldsThePlaybackUntilStopped()
{
    m_pump->inTick(2, [this] { note(); });
    m_pump->inTick(2 + 50, [this] { m_state.RecordStopped = true; });
    QVERIFY(m_loops->waitPlayerTicks(10));
    // The recording's 50 ticks ran inside the wait's second tick; the wait then
    // went on with its own eight.
    QCOMPARE(m_pump->ticks(), 2 + 50 + 8);
    QCOMPARE(m_state.PlayTicks, 10);
}

void TickLoopsTest::noteDuringPlayerStepPumpStartsItsOwnLoop()
{
    // A recorder loop is below the player: a playback started while recording,
    // ending the recording as it starts.
    m_pump->inTick(5, [this] {
        m_state.RecordStopped = true;
        m_state.WaitTicks = 0;
        m_pump->inNextPumpOnce([this] { note(); });
        m_pump->inTick(9, [this] { m_state.RecordStopped = true; });
        m_loops->pumpAfterPlayerStep();
        QCOMPARE(m_pump->ticks(), 5 + 9);
    });
    note();
    QCOMPARE(m_records, (std::vector<qint32>{0, 0}));
    QCOMPARE(m_pump->ticks(), 5 + 9);
}

void TickLoopsTest::everyCountStartsOnItsOwnClock()
{
    // Every note starts its count afresh, inside a running recording or not.
    m_pump->inTick(3, [this] { note(); });
    m_pump->inTick(5, [this] { m_state.RecordStopped = true; });
    note();
    QCOMPARE(m_pump->beginnings(), 2);
    m_pump->inTick(1, [this] { m_state.RecordStopped = true; });
    note();
    QCOMPARE(m_pump->beginnings(), 3);

    // A recording held inside a playback's wait: the wait counts on from its end.
    m_loops->beginPlayback();
    QCOMPARE(m_pump->beginnings(), 4);
    m_pump->inTick(2, [this] { note(); });
    m_pump->inTick(4, [this] {
        QCOMPARE(m_pump->beginnings(), 5);
        m_state.RecordStopped = true;
    });
    QVERIFY(m_loops->waitPlayerTicks(3));
    QCOMPARE(m_pump->beginnings(), 6);
    QCOMPARE(m_pump->ticks(), 6 + 5);
}

// A note is due when its wait ends on the playback's schedule: count + 1 ticks
// after the note before, however late the loop woke, and counted on after a
// recording held the playback.
void TickLoopsTest::stepsAreDueOnTheListsSchedule()
{
    using std::chrono::milliseconds;
    m_loops->beginPlayback();
    const auto start = m_pump->tickTime(1);
    QVERIFY(m_loops->waitPlayerTicks(1));
    QCOMPARE(m_loops->playerStepTime() - start, milliseconds(1));
    QVERIFY(m_loops->waitPlayerTicks(0));
    QCOMPARE(m_loops->playerStepTime() - start, milliseconds(1));

    // A note in the third tick of the next wait holds the playback until its
    // recording stops, 40 ticks later; the wait then goes on where it was held.
    m_pump->inTick(3, [this] { note(); });
    m_pump->inTick(3 + 40, [this] { m_state.RecordStopped = true; });
    QVERIFY(m_loops->waitPlayerTicks(11));
    QCOMPARE(m_loops->playerStepTime() - start, milliseconds(1 + 11 + 40));

    // A handler that runs past the deadline does not move it.
    const auto resumed = m_loops->playerStepTime();
    m_pump->inTick(3, [this] { m_pump->passTicks(20); });
    QVERIFY(m_loops->waitPlayerTicks(5));
    QCOMPARE(m_loops->playerStepTime() - resumed, milliseconds(5));
}

QTEST_MAIN(TickLoopsTest)
#include "tst_tickloops.moc"
