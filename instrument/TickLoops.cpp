#include "TickLoops.h"

#include "MessagePump.h"

#include <utility>

TickLoops::TickLoops(ProgramState &state, MessagePump &pump, CountDisplay showCount)
    : m_state(state), m_pump(pump), m_showCount(std::move(showCount))
{
}

void TickLoops::countSinceNote()
{
    m_state.WaitTicks = 0;
    m_ticksLeft = RecorderTickBound;
    if (m_pumping == Loop::Recorder) {
        // The rest of this pump and the next tick's are the new count's first
        // tick, as they would be for a loop of the note's own: a note that
        // follows within them records 1, never 0.
        countTick();
        m_firstTickUnderWay = true;
        return;
    }

    const Loop outer = m_pumping;
    while (m_ticksLeft > 0) {
        if (!std::exchange(m_firstTickUnderWay, false)) {
            if (m_state.RecordStopped) {
                m_state.WaitTicks = 0;
                break;
            }
            countTick();
        }
        pumpFrom(Loop::Recorder, true);
    }
    // Reaching the bound ends the loop without a stop; the count stays for the
    // next note. A playback held by this recording counts on from here, not from
    // before the recording.
    if (outer == Loop::Player)
        m_pump.beginTicks();
}

void TickLoops::countTick()
{
    --m_ticksLeft;
    ++m_state.WaitTicks;
    m_showCount(m_state.WaitTicks);
}

void TickLoops::noteSounded()
{
    m_pump.beginTicks();
}

void TickLoops::beginPlayback()
{
    m_pump.beginTicks();
}

bool TickLoops::waitPlayerTicks(qint64 ticks)
{
    for (qint64 tick = 0; tick < ticks; ++tick) {
        if (m_state.StopPlaying)
            return false;
        ++m_state.PlayTicks;
        m_showCount(m_state.PlayTicks);
        pumpFrom(Loop::Player, true);
    }
    return true;
}

void TickLoops::pumpAfterPlayerStep()
{
    pumpFrom(Loop::Player, false);
}

void TickLoops::pumpFrom(Loop loop, bool wholeTick)
{
    struct Restore
    {
        Loop &pumping;
        Loop outer;
        ~Restore() { pumping = outer; }
    } restore{m_pumping, m_pumping};
    m_pumping = loop;
    if (wholeTick)
        m_pump.pumpTick();
    else
        m_pump.pumpOnce();
}
