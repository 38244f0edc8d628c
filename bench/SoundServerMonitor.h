#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <sys/types.h>
#include <thread>
#include <vector>

// Records the null sink's monitor with parec (PulseAudio's, or PipeWire's through
// its PulseAudio emulation) at 22 050 Hz, mono, 16 bits: what a listener would hear,
// paced by the sound server in real time. Every read is stamped with the time it
// returned, so that each frame can be placed on the program's clock.
class SoundServerMonitor
{
public:
    using Clock = std::chrono::steady_clock;

    SoundServerMonitor() = default;
    ~SoundServerMonitor();
    SoundServerMonitor(const SoundServerMonitor &) = delete;
    SoundServerMonitor &operator=(const SoundServerMonitor &) = delete;

    // Starts parec on the monitor of the sink named `sink`; false if it cannot run.
    bool start(const char *sink = "t");
    // Ends the recording; frames() and the times are complete afterwards.
    void stop();

    const std::vector<std::int16_t> &frames() const { return m_frames; }

    // Frames that had reached the monitor by `time`.
    std::size_t framesBy(Clock::time_point time) const;

    // When `frame` reached the monitor. A read returns late when parec or this
    // program waits for the processor, never early, so the frame is placed on the
    // line of the earliest reads around it: read time less the frames' own duration.
    std::optional<Clock::time_point> arrival(std::size_t frame) const;

private:
    struct Read
    {
        Clock::time_point at;
        std::size_t framesSoFar;
    };

    void readUntilClosed(int fd);

    pid_t m_pid = -1;
    std::thread m_thread;
    std::vector<Read> m_reads;
    std::vector<std::int16_t> m_frames;
};

// How many of a sample's first frames noteStart() compares.
inline constexpr std::size_t NoteStartFrames = 441 + 256;

// Where `sample` begins in `capture`, looked for from frame `from` to frame `to`:
// found by the sample's own frames 20 ms into it, past the fade of the note it cuts
// off and past the rewinds with which a sound server splices in a stream that has
// just connected or underrun. A sound server may convert the frames (PipeWire mixes
// in floating point), so a match allows an error of a thousandth of their energy.
std::optional<std::size_t> noteStart(std::span<const std::int16_t> capture, std::size_t from, std::size_t to,
                                     std::span<const std::int16_t> sample);
