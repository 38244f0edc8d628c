#pragma once

#include "DeadlineTimer.h"
#include "MessagePump.h"

#include <chrono>

// The tick loops' pumps from before the ticks came from the clock, kept for the
// rhythm benchmark to compare: every pass over the message queue is one tick.
class PassCountingPump : public MessagePump
{
public:
    void beginTicks(FirstTick first) override;
    qint64 currentTick() override;
    // Passes keep no time: a note is due when its wait is over.
    std::chrono::steady_clock::time_point tickTime(qint64 tick) override;
    qint64 waitForMessages(qint64 until) override;
    void pumpOnce() override;

protected:
    virtual void pass() = 0;

private:
    qint64 m_passes = 0;
    qint64 m_countStart = 0;
    bool m_inPass = false;
};

// The classic tick: one unpaced pass over whatever messages are waiting.
class ClassicMessagePump : public PassCountingPump
{
protected:
    void pass() override;
};

// The first paced pump: a pass lasts one slot of a 1 ms grid from the start of
// the count, sleeping in the dispatcher until input arrives or the slot ends, so
// it wakes a thousand times a second; a pass that ran late is followed by passes
// without a wait until the count has caught up with the clock.
class PacedMessagePump : public PassCountingPump
{
public:
    void beginTicks(FirstTick first) override;

protected:
    void pass() override;

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point m_slotEnd;
    DeadlineTimer m_slotTimer;
};
