#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, no file this process writes may grow beyond `bytes`: writes
// fail as on a full disk instead of raising SIGXFSZ.
class FullDisk
{
public:
    explicit FullDisk(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_limit);
        const rlimit full = {bytes, m_limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_signal);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit m_limit = {};
    void (*m_signal)(int) = nullptr;
};
