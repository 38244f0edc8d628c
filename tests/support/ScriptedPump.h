#pragma once

#include "MessagePump.h"

#include <QtGlobal>

#include <functional>
#include <map>

// A message pump for tests: runs given actions in given ticks and never sleeps.
// Ticks are counted over the pump's whole life, from 1; pumpOnce() passes are
// not ticks.
class ScriptedPump : public MessagePump
{
public:
    using Action = std::function<void()>;

    // Runs action inside the pump of the tick that is `ticksFromNow` ticks after
    // the current one (1 = the next tick).
    void inTick(qint64 ticksFromNow, Action action);
    // Runs action inside the next pumpOnce() pass.
    void inNextPumpOnce(Action action);

    qint64 ticks() const { return m_ticks; }
    qint64 passesOnce() const { return m_passesOnce; }
    // How often a loop began counting.
    int beginnings() const { return m_beginnings; }

    // A loop that keeps pumping this many ticks past the last scripted action
    // fails the test instead of running for ever.
    void setIdleTickLimit(qint64 limit) { m_idleTickLimit = limit; }

    void beginTicks() override { ++m_beginnings; }
    void pumpTick() override;
    void pumpOnce() override;

private:
    qint64 m_ticks = 0;
    qint64 m_passesOnce = 0;
    int m_beginnings = 0;
    qint64 m_idleTickLimit = 100'000;
    std::multimap<qint64, Action> m_tickActions;
    std::multimap<qint64, Action> m_onceActions;
};
