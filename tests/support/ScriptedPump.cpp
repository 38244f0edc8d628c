#include "ScriptedPump.h"

#include <algorithm>

namespace {

void runDue(std::multimap<qint64, ScriptedPump::Action> &actions, const qint64 &now)
{
    while (!actions.empty() && actions.begin()->first <= now) {
        ScriptedPump::Action action = std::move(actions.begin()->second);
        actions.erase(actions.begin());
        action();
    }
}

} // namespace

void ScriptedPump::inTick(qint64 ticksFromNow, Action action)
{
    m_tickActions.emplace(m_ticks + ticksFromNow, std::move(action));
}

void ScriptedPump::inNextPumpOnce(Action action)
{
    m_onceActions.emplace(m_passesOnce + 1, std::move(action));
}

void ScriptedPump::beginTicks(FirstTick)
{
    ++m_beginnings;
    m_countStart = m_ticks;
}

std::chrono::steady_clock::time_point ScriptedPump::tickTime(qint64 tick)
{
    return std::chrono::steady_clock::time_point(std::chrono::milliseconds(m_countStart + tick - 1));
}

// Inside the pass of tick t the count is at t; once the latest pass is over,
// the next tick is under way. A count begun inside a pass has the rest of it and
// the next tick as its first.
qint64 ScriptedPump::currentTick()
{
    return std::max<qint64>(1, m_ticks - m_countStart + (m_inPass ? 0 : 1));
}

qint64 ScriptedPump::waitForMessages(qint64 until)
{
    if (m_tickActions.empty()) {
        m_ticks = std::max(m_ticks, m_countStart + until - 1);
        m_inPass = false;
        return currentTick();
    }
    ++m_ticks;
    m_inPass = true;
    const qint64 woke = currentTick();
    struct EndPass
    {
        bool &inPass;
        ~EndPass() { inPass = false; }
    } endPass{m_inPass};
    // Reads the clock as it goes: actions due during a long handling run too.
    runDue(m_tickActions, m_ticks);
    return woke;
}

void ScriptedPump::pumpOnce()
{
    ++m_passesOnce;
    runDue(m_onceActions, m_passesOnce);
}
