#include "QtMessagePump.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace {

std::chrono::steady_clock::duration tickSpan(qint64 count)
{
    return std::chrono::steady_clock::rep(count) * QtMessagePump::TickPeriod;
}

} // namespace

QtMessagePump::QtMessagePump(DeadlineTimer::Source timerSource) : m_deadlineTimer(timerSource)
{
    QCoreApplication::instance()->installEventFilter(this);
}

QtMessagePump::~QtMessagePump()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void QtMessagePump::beginTicks(FirstTick first)
{
    // A tick k >= 2 begins k slots after the grid's origin. A whole first tick is
    // the second slot of a grid begun a slot earlier.
    m_firstTickSlot = first == FirstTick::WholeSlot ? 1 : 0;
    m_origin = Clock::now() - tickSpan(m_firstTickSlot);
    ++m_grid;
}

QtMessagePump::Clock::time_point QtMessagePump::tickTime(qint64 tick)
{
    return tickStart(tick);
}

qint64 QtMessagePump::currentTick()
{
    const Clock::time_point now = Clock::now();
    if (m_batch && m_batch->began)
        keepUpWith(*m_batch, now);
    return tickAt(now);
}

qint64 QtMessagePump::waitForMessages(qint64 until)
{
    Batch batch{m_grid, until};
    const Entered entered{m_batch, std::exchange(m_batch, &batch)};
    const Clock::time_point deadline = tickStart(until);
    if (Clock::now() < deadline) {
        m_deadlineTimer.wakeAt(deadline);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } else {
        beginBatch(batch, Clock::now());
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    const Clock::time_point now = Clock::now();
    if (!batch.began)
        beginBatch(batch, now);
    keepUpWith(batch, now);
    return batch.tick;
}

void QtMessagePump::pumpOnce()
{
    const Clock::time_point now = Clock::now();
    Batch batch{m_grid, 0, true, tickAt(now)};
    const Entered entered{m_batch, std::exchange(m_batch, &batch)};
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    keepUpWith(batch, Clock::now());
}

bool QtMessagePump::eventFilter(QObject *, QEvent *)
{
    if (m_batch && !m_batch->began)
        beginBatch(*m_batch, Clock::now());
    return false;
}

qint64 QtMessagePump::tickAt(Clock::time_point time) const
{
    return std::max<qint64>(1, (time - m_origin) / TickPeriod);
}

QtMessagePump::Clock::time_point QtMessagePump::tickStart(qint64 tick) const
{
    return m_origin + tickSpan(tick <= 1 ? m_firstTickSlot : tick);
}

void QtMessagePump::beginBatch(Batch &batch, Clock::time_point now)
{
    batch.began = true;
    // Woken far behind the deadline: the deadline's tick begins now.
    if (batch.grid == m_grid && now - tickStart(batch.until) > MaxCatchUp)
        m_origin = now - tickSpan(batch.until);
    batch.tick = tickAt(now);
}

void QtMessagePump::keepUpWith(const Batch &batch, Clock::time_point now)
{
    // The tick after the one the handling began in begins now.
    if (batch.grid == m_grid && now - tickStart(batch.tick + 1) > MaxCatchUp)
        m_origin = now - tickSpan(batch.tick + 1);
}
