#pragma once

#include <chrono>
#include <cstdint>
#include <span>

// Where the samples sound. One sample at a time: starting a new one cuts off the
// one still sounding. The caller keeps every sample alive until stop().
class SoundOutput
{
public:
    using Clock = std::chrono::steady_clock;

    virtual ~SoundOutput() = default;

    // False when there is no output device (or the stream could not be opened):
    // notes then play silently.
    virtual bool hasDevice() const = 0;

    // Starts pcm (mono, 22 050 Hz, signed 16-bit) a fixed delay after `due` on the
    // program's clock, the same for every note, so that notes keep the rhythm of
    // their due moments; a note whose moment has passed starts at once. Throws
    // Error with the operating-system error text when the sound cannot be started.
    virtual void play(std::span<const std::int16_t> pcm, Clock::time_point due) = 0;

    // Silences the output at once; when it returns, nothing reads the samples
    // played before.
    virtual void stop() = 0;
};
