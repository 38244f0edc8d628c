#pragma once

#include "MessagePump.h"

#include <chrono>
#include <memory>

class QSocketNotifier;

// Pumps Qt's event queue in ticks of TickPeriod. Within a tick, input is handled
// as soon as it arrives; the rest of the slot the thread sleeps in the event
// dispatcher, so a running loop costs next to no processor time. The slots lie
// on a fixed grid from the start of the count: a tick that ran late (a slow
// handler, a late wake-up) is followed by ticks without a wait until the count
// has caught up with the clock, so the count keeps time.
//
// A count starts with a whole slot of its own (the one in which the note was
// played), so a wait of w ms records floor(w) ticks; the replay's count + 1 ticks
// then give back between w and w + 1 ms.
class QtMessagePump : public MessagePump
{
public:
    static constexpr std::chrono::microseconds TickPeriod{1000};
    // Further behind than this (a modal dialog, a stalled machine) the grid starts
    // again instead of counting the stall in a burst of ticks.
    static constexpr std::chrono::milliseconds MaxCatchUp{250};

    QtMessagePump();
    ~QtMessagePump() override;

    void beginTicks() override;
    void pumpTick() override;
    void pumpOnce() override;

private:
    using Clock = std::chrono::steady_clock;
    void sleepUntilSlotEnd();

    Clock::time_point m_slotEnd;
    int m_timerFd = -1; // wakes the dispatcher at the slot's end, to the microsecond
    std::unique_ptr<QSocketNotifier> m_timerNotifier;
};
