#include "DeadlineTimer.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace {

// A QTimer takes its interval in int milliseconds; a later deadline is reached
// by waking once a day and waiting again.
constexpr std::chrono::milliseconds LongestTimerWait = std::chrono::hours(24);

} // namespace

DeadlineTimer::DeadlineTimer(Source source)
{
#ifdef Q_OS_LINUX
    if (source == Source::Precise)
        m_timerFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timerFd >= 0) {
        m_timerNotifier = std::make_unique<QSocketNotifier>(m_timerFd, QSocketNotifier::Read);
        QObject::connect(m_timerNotifier.get(), &QSocketNotifier::activated, [fd = m_timerFd] {
            std::uint64_t expirations = 0;
            [[maybe_unused]] const auto bytes = read(fd, &expirations, sizeof expirations);
        });
        return;
    }
#else
    Q_UNUSED(source);
#endif
    m_timer = std::make_unique<QTimer>();
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
}

DeadlineTimer::~DeadlineTimer()
{
#ifdef Q_OS_LINUX
    m_timerNotifier.reset();
    if (m_timerFd >= 0)
        close(m_timerFd);
#endif
}

void DeadlineTimer::wakeAt(std::chrono::steady_clock::time_point deadline)
{
#ifdef Q_OS_LINUX
    if (m_timerFd >= 0) {
        // steady_clock is CLOCK_MONOTONIC on Linux, so the deadline is handed over as it is.
        const auto sinceEpoch = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch());
        itimerspec spec{};
        spec.it_value.tv_sec = sinceEpoch.count() / 1'000'000'000;
        spec.it_value.tv_nsec = sinceEpoch.count() % 1'000'000'000;
        // An it_value of zero would disarm the timer instead of firing it.
        if (spec.it_value.tv_sec == 0 && spec.it_value.tv_nsec == 0)
            spec.it_value.tv_nsec = 1;
        timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &spec, nullptr);
        return;
    }
#endif
    // Rounded up: a timer that fired before the deadline would only wake the loop to wait again.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    m_timer->start(std::clamp(wait, std::chrono::milliseconds(0), LongestTimerWait));
}

DeadlineTimer::Source DeadlineTimer::source() const
{
    return m_timerFd >= 0 ? Source::Precise : Source::QtTimer;
}
