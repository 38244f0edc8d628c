#include "PreciseWakeUp.h"

#include <QSocketNotifier>

#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

class TimerFdWakeUp : public PreciseWakeUp
{
public:
    explicit TimerFdWakeUp(int fd) : m_fd(fd), m_notifier(fd, QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, [fd] {
            std::uint64_t expirations = 0;
            [[maybe_unused]] const auto bytes = read(fd, &expirations, sizeof expirations);
        });
    }

    ~TimerFdWakeUp() override
    {
        m_notifier.setEnabled(false);
        close(m_fd);
    }

    void wakeAt(std::chrono::steady_clock::time_point deadline) override
    {
        // steady_clock is CLOCK_MONOTONIC on Linux, so the deadline is handed over as it is.
        const auto sinceEpoch = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch());
        itimerspec spec{};
        spec.it_value.tv_sec = sinceEpoch.count() / 1'000'000'000;
        spec.it_value.tv_nsec = sinceEpoch.count() % 1'000'000'000;
        // An it_value of zero would disarm the timer instead of firing it.
        if (spec.it_value.tv_sec == 0 && spec.it_value.tv_nsec == 0)
            spec.it_value.tv_nsec = 1;
        timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &spec, nullptr);
    }

private:
    int m_fd;
    QSocketNotifier m_notifier;
};

} // namespace

std::unique_ptr<PreciseWakeUp> makePreciseWakeUp()
{
    const int fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::make_unique<TimerFdWakeUp>(fd);
}
