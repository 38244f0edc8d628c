#pragma once

#include <chrono>
#include <memory>

class PreciseWakeUp;
class QTimer;

// Wakes the thread's event dispatcher at a moment of steady_clock: with a Linux
// timerfd to the microsecond, elsewhere (or where no timerfd can be made) with a
// precise QTimer to the millisecond. The wake-up is an event of its own and does
// nothing else; waiting loops look at the clock when they wake.
class DeadlineTimer
{
public:
    enum class Source
    {
        Precise,
        QtTimer
    };

    explicit DeadlineTimer(Source source = Source::Precise);
    ~DeadlineTimer();
    DeadlineTimer(const DeadlineTimer &) = delete;
    DeadlineTimer &operator=(const DeadlineTimer &) = delete;

    // Replaces the deadline set before; one in the past wakes at once.
    void wakeAt(std::chrono::steady_clock::time_point deadline);

    // What wakes the dispatcher: Precise only where the system gave a precise way.
    Source source() const;

private:
    std::unique_ptr<PreciseWakeUp> m_precise;
    std::unique_ptr<QTimer> m_timer;
};
