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

void QtMessagePump::beginTicks()
{
    m_slotEnd = Clock::now() + TickPeriod;
}

void QtMessagePump::pumpTick()
{
    const Clock::time_point now = Clock::now();
    if (now - m_slotEnd > MaxCatchUp)
        m_slotEnd = now;
    m_slotEnd += TickPeriod;

    if (now >= m_slotEnd || m_timerFd < 0) {
        // Catching up (or no timer to wait with): one pass over the waiting messages.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    sleepUntilSlotEnd();
}

void QtMessagePump::pumpOnce()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtMessagePump::sleepUntilSlotEnd()
{
    // The first pass handles what is waiting without blocking; later passes sleep
    // until input arrives or the timer ends the slot. A note handled meanwhile
    // may move the slot's end, and the timer with it.
    Clock::time_point armedFor{};
    while (Clock::now() < m_slotEnd) {
        if (armedFor != m_slotEnd) {
            armedFor = m_slotEnd;
            // steady_clock is CLOCK_MONOTONIC on Linux, so the deadline can be handed over as is.
            const auto sinceEpoch = std::chrono::duration_cast<std::chrono::nanoseconds>(armedFor.time_since_epoch());
            itimerspec spec{};
            spec.it_value.tv_sec = sinceEpoch.count() / 1'000'000'000;
            spec.it_value.tv_nsec = sinceEpoch.count() % 1'000'000'000;
            timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &spec, nullptr);
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
