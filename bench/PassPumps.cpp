#include "PassPumps.h"

#include "QtMessagePump.h"

#include <QCoreApplication>

#include <algorithm>

void PassCountingPump::beginTicks(FirstTick)
{
    m_countStart = m_passes;
}

std::chrono::steady_clock::time_point PassCountingPump::tickTime(qint64)
{
    return std::chrono::steady_clock::now();
}

// A count begun inside a pass has the rest of it and the next pass as its first tick.
qint64 PassCountingPump::currentTick()
{
    return std::max<qint64>(1, m_passes - m_countStart + (m_inPass ? 0 : 1));
}

qint64 PassCountingPump::waitForMessages(qint64)
{
    ++m_passes;
    m_inPass = true;
    const qint64 woke = currentTick();
    pass();
    m_inPass = false;
    return woke;
}

void PassCountingPump::pumpOnce()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void ClassicMessagePump::pass()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void PacedMessagePump::beginTicks(FirstTick first)
{
    PassCountingPump::beginTicks(first);
    m_slotEnd = Clock::now() + QtMessagePump::TickPeriod;
}

void PacedMessagePump::pass()
{
    const Clock::time_point now = Clock::now();
    if (now - m_slotEnd > QtMessagePump::MaxCatchUp)
        m_slotEnd = now;
    m_slotEnd += QtMessagePump::TickPeriod;
    if (now >= m_slotEnd) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // A note handled meanwhile moves the slot's end, and the timer with it.
    Clock::time_point armedFor{};
    while (Clock::now() < m_slotEnd) {
        if (armedFor != m_slotEnd) {
            armedFor = m_slotEnd;
            m_slotTimer.wakeAt(armedFor);
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
