#pragma once

#include <cstdint>
#include <span>

// Where the samples sound. One sample at a time: starting a new one cuts off the
// one still sounding. The caller keeps a sample alive until the next play() or
// stop().
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;

    // False when there is no output device (or the stream could not be opened):
    // notes then play silently.
    virtual bool hasDevice() const = 0;

    // Starts pcm (mono, 22 050 Hz, signed 16-bit) at once. Throws Error with the
    // operating-system error text when the sound cannot be started.
    virtual void play(std::span<const std::int16_t> pcm) = 0;

    // Silences the output at once; when it returns, nothing reads the samples
    // played before.
    virtual void stop() = 0;
};
