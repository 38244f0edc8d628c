#pragma once

#include "ProgramState.h"

#include <functional>

class MessagePump;

// The counting loops of the recorder and the player. A tick tests the loop's
// stop flag, counts, shows the count and pumps messages; every command (another
// note, stop, play, closing) runs inside that pump and returns into the loop.
//
// The recorder keeps one loop however many notes arrive: a note handled inside
// the recorder's own pump restarts the count and the bound of the running loop
// instead of starting a loop inside it, so a long recording never deepens the
// call stack. Only a note that arrives inside the player's pump starts a loop
// of its own there, holding the playback until the recording stops.
class TickLoops
{
public:
    static constexpr qint32 RecorderTickBound = 1'000'000'000;

    using CountDisplay = std::function<void(qint32 count)>;

    TickLoops(ProgramState &state, MessagePump &pump, CountDisplay showCount);

    // A note has just started sounding: the wait before the next one is measured
    // from here, not from the end of the note's handling.
    void noteSounded();

    // Counts ticks since the note just recorded until RecordStopped or the bound.
    // Returns at once when called from the pump of a running recorder loop: that
    // loop goes on counting from zero.
    void countSinceNote();

    // A playback starts: its ticks count from now.
    void beginPlayback();

    // Waits the given number of player ticks (a record's count + 1, which can
    // exceed 32 bits); false when StopPlaying ended the wait.
    bool waitPlayerTicks(qint64 ticks);

    // The pump pass that ends each step of the player.
    void pumpAfterPlayerStep();

private:
    enum class Loop
    {
        None,
        Recorder,
        Player
    };
    void countTick();
    void pumpFrom(Loop loop, bool wholeTick);

    ProgramState &m_state;
    MessagePump &m_pump;
    CountDisplay m_showCount;
    Loop m_pumping = Loop::None;      // the loop whose pump is handling messages right now
    qint32 m_ticksLeft = 0;           // bound of the running recorder loop
    bool m_firstTickUnderWay = false; // a note inside the recorder's pump has counted its first tick
};
