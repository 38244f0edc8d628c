#pragma once

#include <chrono>
#include <memory>

// Wakes the thread's event dispatcher at a moment of steady_clock to the
// microsecond, where the system offers a way: a Linux timerfd. The wake-up is an
// event of its own and does nothing else.
class PreciseWakeUp
{
public:
    virtual ~PreciseWakeUp() = default;

    // Replaces the moment set before; one in the past wakes at once.
    virtual void wakeAt(std::chrono::steady_clock::time_point deadline) = 0;
};

// Nothing where the system has no such way, or refuses one now.
std::unique_ptr<PreciseWakeUp> makePreciseWakeUp();
