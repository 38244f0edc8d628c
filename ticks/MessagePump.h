#pragma once

#include <QtGlobal>

#include <chrono>

// How the recorder's and player's loops reach the message queue and learn how
// many ticks have passed. A count runs in ticks from 1; the real pump takes them
// from the clock and sleeps between messages, tests script what happens in which
// tick.
class MessagePump
{
public:
    // A recording's first tick takes in the slot its note sounded in, so that a
    // note w slots later counts max(1, w); a playback's ticks are whole slots
    // from its start, so that its waits end where the list's schedule puts them.
    enum class FirstTick
    {
        TakesTheSlotBegun,
        WholeSlot
    };

    virtual ~MessagePump() = default;

    // A count begins now (a note sounded, a playback starts): its tick 1 is under way.
    virtual void beginTicks(FirstTick first) = 0;

    // The tick of the count under way now, 1 or more.
    virtual qint64 currentTick() = 0;

    // When tick `tick` of the count under way begins, or began, on the program's
    // clock: the moment a wait until it is over.
    virtual std::chrono::steady_clock::time_point tickTime(qint64 tick) = 0;

    // Sleeps until a message arrives or tick `until` begins, then handles every
    // waiting message. Returns the tick under way when it woke; the handling may
    // have begun another count.
    virtual qint64 waitForMessages(qint64 until) = 0;

    // Handles every waiting message once, without waiting.
    virtual void pumpOnce() = 0;
};
