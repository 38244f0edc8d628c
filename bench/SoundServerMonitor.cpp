#include "SoundServerMonitor.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double SampleRate = 22050;
// The reads around a frame whose earliest one places it: wide enough to hold
// reads that parec got without waiting, narrow enough to follow a sound server
// that restarted its monitor.
constexpr std::size_t ArrivalWindowFrames = 22050;

constexpr std::size_t MatchOffset = 441;
constexpr std::size_t MatchFrames = NoteStartFrames - MatchOffset;

} // namespace

SoundServerMonitor::~SoundServerMonitor()
{
    if (m_thread.joinable())
        stop();
}

bool SoundServerMonitor::start(const char *sink)
{
    const std::string device = std::string(sink) + ".monitor";
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    m_pid = fork();
    if (m_pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execlp("parec", "parec", "-d", device.c_str(), "--raw", "--format=s16le", "--rate=22050", "--channels=1",
               "--latency-msec=5", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (m_pid < 0) {
        close(fds[0]);
        return false;
    }
    m_thread = std::thread([this, fd = fds[0]] { readUntilClosed(fd); });
    return true;
}

void SoundServerMonitor::stop()
{
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    m_thread.join();
}

void SoundServerMonitor::readUntilClosed(int fd)
{
    std::vector<char> bytes;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
        const Clock::time_point at = Clock::now();
        bytes.insert(bytes.end(), buffer, buffer + got);
        m_reads.push_back({at, bytes.size() / 2});
    }
    close(fd);
    m_frames.resize(bytes.size() / 2);
    std::memcpy(m_frames.data(), bytes.data(), m_frames.size() * 2);
}

std::size_t SoundServerMonitor::framesBy(Clock::time_point time) const
{
    const auto read = std::ranges::upper_bound(m_reads, time, {}, &Read::at);
    return read == m_reads.begin() ? 0 : std::prev(read)->framesSoFar;
}

std::optional<SoundServerMonitor::Clock::time_point> SoundServerMonitor::arrival(std::size_t frame) const
{
    if (m_reads.empty() || frame >= m_reads.back().framesSoFar)
        return std::nullopt;
    const auto frameTime = [](std::size_t frames) {
        return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(frames) / SampleRate));
    };
    const std::size_t from = frame > ArrivalWindowFrames ? frame - ArrivalWindowFrames : 0;
    auto read = std::ranges::lower_bound(m_reads, from, {}, &Read::framesSoFar);
    std::optional<Clock::time_point> frameZero;
    // At least the read that delivered the frame, however long parec waited for it.
    for (; read != m_reads.end() && (read->framesSoFar <= frame + ArrivalWindowFrames || !frameZero); ++read) {
        const Clock::time_point placed = read->at - frameTime(read->framesSoFar);
        frameZero = frameZero ? std::min(*frameZero, placed) : placed;
    }
    return *frameZero + frameTime(frame);
}

std::optional<std::size_t> noteStart(std::span<const std::int16_t> capture, std::size_t from, std::size_t to,
                                     std::span<const std::int16_t> sample)
{
    if (sample.size() < NoteStartFrames || capture.size() < NoteStartFrames)
        return std::nullopt;
    const auto pattern = sample.subspan(MatchOffset, MatchFrames);
    double energy = 0;
    for (const std::int16_t value : pattern)
        energy += double(value) * value;
    const double allowed = energy * 1e-3;
    to = std::min(to, capture.size() - NoteStartFrames);
    for (std::size_t at = from; at < to; ++at) {
        double error = 0;
        for (std::size_t i = 0; i < MatchFrames && error <= allowed; ++i) {
            const double difference = double(capture[at + MatchOffset + i]) - pattern[i];
            error += difference * difference;
        }
        if (error <= allowed)
            return at;
    }
    return std::nullopt;
}
