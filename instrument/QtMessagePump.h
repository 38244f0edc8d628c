#pragma once

#include "MessagePump.h"

#include <chrono>
#include <memory>

class QSocketNotifier;

// Pumps Qt's event queue in ticks of TickPeriod. Within a tick, input is handled
// as soon as it arrives; the rest of the slot the thread sleeps in the event
// dispatcher, so a running loop costs next to no processor time. Slots lie on a
// fixed grid while the loop keeps up, so the tick count follows the clock.
class QtMessagePump : public MessagePump
{
public:
    static constexpr std::chrono::microseconds TickPeriod{1000};

    QtMessagePump();
    ~QtMessagePump() override;

    void pumpTick() override;
    void pumpOnce() override;

private:
    using Clock = std::chrono::steady_clock;
    void sleepUntil(Clock::time_point deadline);

    Clock::time_point m_slotEnd;
    int m_timerFd = -1; // wakes the dispatcher at the slot's end, to the microsecond
    std::unique_ptr<QSocketNotifier> m_timerNotifier;
};
