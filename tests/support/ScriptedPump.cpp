#include "ScriptedPump.h"

#include <stdexcept>

void ScriptedPump::inTick(qint64 ticksFromNow, Action action)
{
    m_tickActions.emplace(m_ticks + ticksFromNow, std::move(action));
}

void ScriptedPump::inNextPumpOnce(Action action)
{
    m_onceActions.emplace(m_passesOnce + 1, std::move(action));
}

void ScriptedPump::pumpTick()
{
    ++m_ticks;
    if (m_tickActions.empty() && m_onceActions.empty() && --m_idleTickLimit < 0)
        throw std::logic_error("a tick loop kept running after the script ended");
    while (!m_tickActions.empty() && m_tickActions.begin()->first <= m_ticks) {
        Action action = std::move(m_tickActions.begin()->second);
        m_tickActions.erase(m_tickActions.begin());
        action();
    }
}

void ScriptedPump::pumpOnce()
{
    ++m_passesOnce;
    while (!m_onceActions.empty() && m_onceActions.begin()->first <= m_passesOnce) {
        Action action = std::move(m_onceActions.begin()->second);
        m_onceActions.erase(m_onceActions.begin());
        action();
    }
}
