#pragma once

#include "DeadlineTimer.h"
#include "MessagePump.h"

#include <QObject>

#include <chrono>

// Pumps Qt's event queue for the tick loops and takes their ticks from the clock.
// A tick is a slot of TickPeriod on a grid that starts when the count begins; a
// recording's first tick also takes the slot the count began in, so a wait of w ms
// counts max(1, floor(w)) ticks, and a replay's count + 1 whole ticks give back
// between w and w + 1 ms. Between messages the thread sleeps in the event dispatcher, woken
// only by input or by the deadline of a wait: a waiting loop costs no processor
// time.
class QtMessagePump : public QObject, public MessagePump
{
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::chrono::microseconds TickPeriod{1000};
    // Handling that runs this much past the end of the tick it began in (a modal
    // dialog), or a wake-up this late for its deadline (a stalled machine), counts
    // as that one tick: the grid starts again instead of counting the stall.
    static constexpr std::chrono::milliseconds MaxCatchUp{250};

    explicit QtMessagePump(DeadlineTimer::Source timerSource = DeadlineTimer::Source::Precise);
    ~QtMessagePump() override;

    void beginTicks(FirstTick first) override;
    qint64 currentTick() override;
    Clock::time_point tickTime(qint64 tick) override;
    qint64 waitForMessages(qint64 until) override;
    void pumpOnce() override;

    DeadlineTimer::Source timerSource() const { return m_deadlineTimer.source(); }

protected:
    // Notes when the first message of a wake-up is handled.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One pass over the queue, from its first message on.
    struct Batch
    {
        quint64 grid;       // the count the pass belongs to
        qint64 until;       // the tick whose start was its deadline
        bool began = false; // its first message is being handled
        qint64 tick = 0;    // the tick under way then
    };

    // Makes a pass the innermost one for as long as it runs.
    struct Entered
    {
        Batch *&current;
        Batch *outer;
        ~Entered() { current = outer; }
    };

    qint64 tickAt(Clock::time_point time) const;
    Clock::time_point tickStart(qint64 tick) const;
    void beginBatch(Batch &batch, Clock::time_point now);
    void keepUpWith(const Batch &batch, Clock::time_point now);

    Clock::time_point m_origin = Clock::now();
    qint64 m_firstTickSlot = 0; // the slot of the grid in which tick 1 begins
    quint64 m_grid = 0;         // changes at every beginTicks
    Batch *m_batch = nullptr;   // the innermost pass, waiting or handling
    DeadlineTimer m_deadlineTimer;
};
