#pragma once

// How the recorder's and player's loops reach the message queue. The real pump
// handles window events; tests script what happens in which tick.
class MessagePump
{
public:
    virtual ~MessagePump() = default;

    // A loop starts counting: its first tick's time slot begins now.
    virtual void beginTicks() = 0;

    // One tick's pumping: handle every waiting message, then keep handling
    // messages as they arrive until the tick's time slot has passed.
    virtual void pumpTick() = 0;

    // Handle every waiting message once, without waiting.
    virtual void pumpOnce() = 0;
};
