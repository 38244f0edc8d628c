#include "QtMessagePump.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

QtMessagePump::QtMessagePump()
{
    m_timerFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timerFd >= 0) {
        m_timerNotifier = std::make_unique<QSocketNotifier>(m_timerFd, QSocketNotifier::Read);
        QObject::connect(m_timerNotifier.get(), &QSocketNotifier::activated, [fd = m_timerFd] {
            std::uint64_t expirations = 0;
            [[maybe_unused]] const auto bytes = read(fd, &expirations, sizeof expirations);
        });
    }
}

QtMessagePump::~QtMessagePump()
{
    m_timerNotifier.reset();
    if (m_timerFd >= 0)
        close(m_timerFd);
}

void QtMessagePump::pumpTick()
{
    const Clock::time_point now = Clock::now();
    // After a gap (a new loop, or a handler that ran longer than a slot) the grid
    // starts again here rather than catching up with a burst of ticks.
    if (now - m_slotEnd > TickPeriod)
        m_slotEnd = now;
    m_slotEnd += TickPeriod;

    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sleepUntil(m_slotEnd);
}

void QtMessagePump::pumpOnce()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtMessagePump::sleepUntil(Clock::time_point deadline)
{
    if (m_timerFd < 0)
        return; // without a timer the ticks go unpaced, as fast as the pump runs
    // steady_clock is CLOCK_MONOTONIC on Linux, so the deadline can be handed over as is.
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch());
    itimerspec spec{};
    spec.it_value.tv_sec = sinceEpoch.count() / 1'000'000'000;
    spec.it_value.tv_nsec = sinceEpoch.count() % 1'000'000'000;
    timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &spec, nullptr);
    while (Clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
