#pragma once

#include "MessagePump.h"

#include <QtGlobal>

#include <functional>
#include <map>

// A message pump for tests: runs given actions in given ticks and never sleeps.
// Ticks are counted over the pump's whole life, from 1. While actions are left,
// every wait handles the next tick, as a window does that gets messages all the
// time; with nothing left to run, a wait passes straight to its deadline.
// pumpOnce() passes are not ticks.
class ScriptedPump : public MessagePump
{
public:
    using Action = std::function<void()>;

    // Runs action inside the pump of the tick that is `ticksFromNow` ticks after
    // the current one (1 = the next tick).
    void inTick(qint64 ticksFromNow, Action action);
    // Runs action inside the next pumpOnce() pass.
    void inNextPumpOnce(Action action);
    // From inside an action: its handling lasts this many ticks more. Actions
    // due meanwhile run when it is done, in the same pass.
    void passTicks(qint64 ticks) { m_ticks += ticks; }

    qint64 ticks() const { return m_ticks; }
    qint64 passesOnce() const { return m_passesOnce; }
    // How often a loop began counting.
    int beginnings() const { return m_beginnings; }

    void beginTicks(FirstTick first) override;
    qint64 currentTick() override;
    // Tick t of the pump's life begins t - 1 milliseconds into the steady clock.
    std::chrono::steady_clock::time_point tickTime(qint64 tick) override;
    qint64 waitForMessages(qint64 until) override;
    void pumpOnce() override;

private:
    qint64 m_ticks = 0;
    qint64 m_countStart = 0;
    bool m_inPass = false; // the actions of tick m_ticks are running
    qint64 m_passesOnce = 0;
    int m_beginnings = 0;
    std::multimap<qint64, Action> m_tickActions;
    std::multimap<qint64, Action> m_onceActions;
};
