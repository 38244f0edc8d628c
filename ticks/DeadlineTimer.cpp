#include "DeadlineTimer.h"

#include "PreciseWakeUp.h"

#include <QTimer>

#include <algorithm>

namespace {

// A QTimer takes its interval in int milliseconds; a later deadline is reached
// by waking once a day and waiting again.
constexpr std::chrono::milliseconds LongestTimerWait = std::chrono::hours(24);

} // namespace

DeadlineTimer::DeadlineTimer(Source source)
{
    if (source == Source::Precise)
        m_precise = makePreciseWakeUp();
    if (m_precise)
        return;
    m_timer = std::make_unique<QTimer>();
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
}

DeadlineTimer::~DeadlineTimer() = default;

void DeadlineTimer::wakeAt(std::chrono::steady_clock::time_point deadline)
{
    if (m_precise) {
        m_precise->wakeAt(deadline);
        return;
    }
    // Rounded up: a timer that fired before the deadline would only wake the loop to wait again.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    m_timer->start(std::clamp(wait, std::chrono::milliseconds(0), LongestTimerWait));
}

DeadlineTimer::Source DeadlineTimer::source() const
{
    return m_precise ? Source::Precise : Source::QtTimer;
}
