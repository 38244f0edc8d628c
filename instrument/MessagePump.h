#pragma once

// How the recorder's and player's loops reach the message queue. The real pump
// handles window events; tests script what happens in which tick.
class MessagePump
{
public:
    virtual ~MessagePump() = default;

    // A count starts (a note was recorded, a playback begins): the time slot in
    // progress ends one tick from now, and the next ticks follow on from there.
    virtual void beginTicks() = 0;

    // One tick's pumping: handle every waiting message, then keep handling
    // messages as they arrive until the tick's time slot has passed.
    virtual void pumpTick() = 0;

    // Handle every waiting message once, without waiting.
    virtual void pumpOnce() = 0;
};
