#pragma once

#include "MessagePump.h"
#include "ProgramState.h"

#include <chrono>
#include <functional>

// The counting loops of the recorder and the player. A loop sleeps in the pump
// until a message arrives or its wait is over; after each wake-up it takes the
// count from the pump, tests its stop flag and shows the count. Every command
// (another note, stop, play, closing) runs inside that pump and returns into the
// loop, so the flags can only change there.
//
// The recorder keeps one loop however many notes arrive: a note handled inside
// the recorder's own pump begins a new count, and with it a new bound, for the
// running loop instead of starting a loop inside it, so a long recording never
// deepens the call stack. Only a note that arrives inside the player's pump
// starts a loop of its own there, holding the playback until the recording stops.
class TickLoops
{
public:
    static constexpr qint64 RecorderTickBound = 1'000'000'000;

    using CountDisplay = std::function<void(qint64 count)>;

    TickLoops(ProgramState &state, MessagePump &pump, CountDisplay showCount);

    // A note has just started sounding. Inside a running recording WaitTicks then
    // holds the ticks since the note before; the next wait is measured from here.
    void noteSounded();

    // Counts ticks since the note just recorded until RecordStopped or the bound.
    // Returns at once when called from the pump of a running recorder loop: that
    // loop goes on counting from the note.
    void countSinceNote();

    // A playback starts: its ticks count from now, on through all its waits.
    void beginPlayback();

    // Waits the given number of player ticks (a record's count + 1, which can
    // exceed 32 bits); false when StopPlaying ended the wait.
    bool waitPlayerTicks(qint64 ticks);

    // When the playback's last wait ended, or was due to end: the moment its note
    // is due, on the playback's own schedule whenever the loop woke.
    std::chrono::steady_clock::time_point playerStepTime();

    // The pump pass that ends each step of the player.
    void pumpAfterPlayerStep();

    // True while a loop is handling messages: whatever runs now returns into it.
    bool pumping() const { return m_pumping != Loop::None; }

private:
    enum class Loop
    {
        None,
        Recorder,
        Player
    };

    template <typename Pumping> auto pumpFrom(Loop loop, Pumping pumping);
    qint64 waitForPlayerTick(qint64 until);
    void resumePlayback(quint64 countsBefore, qint64 ticksDone, qint64 heldTick);
    qint64 playerTick();
    void beginCount(MessagePump::FirstTick first);

    ProgramState &m_state;
    MessagePump &m_pump;
    CountDisplay m_showCount;
    Loop m_pumping = Loop::None; // the loop whose pump is handling messages right now
    quint64 m_countsBegun = 0;
    // The playback's ticks run on across its waits, as the pump's ticks of the
    // count plus an offset that carries them over a recording held inside it.
    qint64 m_playerTicksDone = 0; // in the waits finished
    qint64 m_playerTickOffset = 0;
};
