#include "TickLoops.h"

#include "MessagePump.h"

#include <algorithm>
#include <utility>

TickLoops::TickLoops(ProgramState &state, MessagePump &pump, CountDisplay showCount)
    : m_state(state), m_pump(pump), m_showCount(std::move(showCount))
{
}

template <typename Pumping> auto TickLoops::pumpFrom(Loop loop, Pumping pumping)
{
    struct Restore
    {
        Loop &pumping;
        Loop outer;
        ~Restore() { pumping = outer; }
    } restore{m_pumping, m_pumping};
    m_pumping = loop;
    return pumping();
}

void TickLoops::noteSounded()
{
    if (m_pumping == Loop::Recorder)
        m_state.WaitTicks = qint32(std::min(m_pump.currentTick(), RecorderTickBound));
    beginCount(MessagePump::FirstTick::TakesTheSlotBegun);
}

void TickLoops::countSinceNote()
{
    m_state.WaitTicks = 0;
    if (m_pumping == Loop::Recorder)
        return;

    for (;;) {
        const qint64 tick = m_pump.currentTick();
        // Reaching the bound ends the loop without a stop; the count stays for
        // the next note.
        if (tick > RecorderTickBound) {
            m_state.WaitTicks = qint32(RecorderTickBound);
            return;
        }
        if (m_state.RecordStopped) {
            m_state.WaitTicks = 0;
            return;
        }
        m_state.WaitTicks = qint32(tick);
        m_showCount(m_state.WaitTicks);
        pumpFrom(Loop::Recorder, [this] { return m_pump.waitForMessages(RecorderTickBound + 1); });
    }
}

void TickLoops::beginPlayback()
{
    beginCount(MessagePump::FirstTick::WholeSlot);
    m_playerTicksDone = 0;
    m_playerTickOffset = 0;
}

bool TickLoops::waitPlayerTicks(qint64 ticks)
{
    if (ticks <= 0)
        return true;
    const qint64 first = m_playerTicksDone + 1;
    const qint64 last = m_playerTicksDone + ticks;
    m_playerTicksDone = last;
    // A flag set while the wait's last tick is under way no longer stops it: the
    // next test comes after the note (as the stop test of a tick comes before
    // the messages handled in it).
    bool inLastTick = false;
    for (;;) {
        const qint64 tick = playerTick();
        if (!inLastTick && m_state.StopPlaying)
            return false;
        m_state.PlayTicks = std::min(tick, last) - first + 1;
        m_showCount(m_state.PlayTicks);
        if (tick > last)
            return true;
        inLastTick = waitForPlayerTick(last + 1) >= last;
    }
}

void TickLoops::pumpAfterPlayerStep()
{
    const quint64 counts = m_countsBegun;
    const qint64 done = m_playerTicksDone;
    pumpFrom(Loop::Player, [this] { m_pump.pumpOnce(); });
    resumePlayback(counts, done, done);
}

qint64 TickLoops::waitForPlayerTick(qint64 until)
{
    const quint64 counts = m_countsBegun;
    const qint64 done = m_playerTicksDone;
    const qint64 offset = m_playerTickOffset;
    const qint64 woke =
        pumpFrom(Loop::Player, [this, until, offset] { return m_pump.waitForMessages(until - offset); }) + offset;
    resumePlayback(counts, done, woke);
    return woke;
}

// A recording, or a second playback, that ran inside the player's pump began
// counts of its own: the playback counts on from its end, the tick after the one
// it held beginning now.
void TickLoops::resumePlayback(quint64 countsBefore, qint64 ticksDone, qint64 heldTick)
{
    if (m_countsBegun == countsBefore)
        return;
    beginCount(MessagePump::FirstTick::WholeSlot);
    m_playerTicksDone = ticksDone;
    m_playerTickOffset = heldTick;
}

qint64 TickLoops::playerTick()
{
    return m_pump.currentTick() + m_playerTickOffset;
}

std::chrono::steady_clock::time_point TickLoops::playerStepTime()
{
    return m_pump.tickTime(m_playerTicksDone + 1 - m_playerTickOffset);
}

void TickLoops::beginCount(MessagePump::FirstTick first)
{
    ++m_countsBegun;
    m_pump.beginTicks(first);
}
