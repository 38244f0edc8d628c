#include "OutputClock.h"

#include <algorithm>

namespace {

constexpr std::int64_t NanosecondsPerSecond = 1'000'000'000;

} // namespace

OutputClock::OutputClock(int sampleRate, int framesPerPeriod, Nanoseconds delay)
    : m_sampleRate(sampleRate), m_delay(delay),
      m_window(std::clamp((sampleRate + framesPerPeriod - 1) / framesPerPeriod, 1, MaxWindow)),
      m_periodLength(std::int64_t(framesPerPeriod) * NanosecondsPerSecond / sampleRate)
{
}

// Split so that no product overflows, however long the stream runs.
OutputClock::Nanoseconds OutputClock::framesToNanoseconds(std::uint64_t frames) const
{
    const std::uint64_t rate = std::uint64_t(m_sampleRate);
    return Nanoseconds(frames / rate * NanosecondsPerSecond + frames % rate * NanosecondsPerSecond / rate);
}

OutputClock::Nanoseconds OutputClock::windowEarliest() const
{
    const int count = std::min(m_reports, m_window);
    return *std::min_element(m_offsets.begin(), m_offsets.begin() + count);
}

void OutputClock::periodBegins(Nanoseconds now, std::uint64_t firstFrame)
{
    const Nanoseconds offset = now - framesToNanoseconds(firstFrame);
    if (m_reports == 0)
        m_firstReport = now;
    m_offsets[std::size_t(m_reports % m_window)] = offset;
    ++m_reports;

    if (now - m_firstReport < SettlingTime) {
        m_line = windowEarliest();
        return;
    }
    if (offset < m_line) {
        m_line = offset;
        return;
    }
    if (m_reports < m_window)
        return;
    // Behind by a period or more, far more than a drift makes: the device lost time
    // (an underrun) and plays every frame that much later; the line takes it up at once.
    const Nanoseconds earliest = windowEarliest();
    const Nanoseconds behind = earliest - m_line - Slack;
    if (behind > m_periodLength)
        m_line = earliest;
    else if (behind > 0)
        m_line += std::min(behind, CreepPerSecond * m_periodLength / NanosecondsPerSecond);
}

std::int64_t OutputClock::frameAt(Nanoseconds due) const
{
    const Nanoseconds sinceFrameZero = due + m_delay - m_line;
    if (sinceFrameZero <= 0)
        return 0;
    const std::int64_t seconds = sinceFrameZero / NanosecondsPerSecond;
    const std::int64_t rest = sinceFrameZero % NanosecondsPerSecond;
    return seconds * m_sampleRate + (rest * m_sampleRate + NanosecondsPerSecond / 2) / NanosecondsPerSecond;
}
