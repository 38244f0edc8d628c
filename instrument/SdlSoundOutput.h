#pragma once

#include "SoundOutput.h"

#include <cstdint>
#include <memory>

// The sound output of the program: one SDL audio stream, opened at construction
// and kept open, whose callback plays the current sample. A new sample starts at
// the stream's next period; the old one fades out under it within 2 ms so that
// the cut does not click.
class SdlSoundOutput : public SoundOutput
{
public:
    SdlSoundOutput();
    ~SdlSoundOutput() override;
    SdlSoundOutput(const SdlSoundOutput &) = delete;
    SdlSoundOutput &operator=(const SdlSoundOutput &) = delete;

    bool hasDevice() const override { return m_hasDevice; }

    // When the stream has stopped (its device was lost) the output opens it again;
    // if that fails it throws Error("A call to an OS function failed"), as SDL
    // gives no error number. Every later call tries again.
    void play(std::span<const std::int16_t> pcm) override;
    // Clears the playing, the fading and any sample not yet taken while the
    // callback cannot run.
    void stop() override;

    // Frames the callback renders at a time; 0 without an open stream.
    int framesPerPeriod() const { return m_framesPerPeriod; }

    // Frames of every period the callback has begun. A sample played now starts
    // with the period being begun or the next one: no earlier than one period
    // before the count read before play(), no later than the count read after it.
    std::uint64_t framesBegun() const;

private:
    class Mixer;

    bool openStream();
    void closeStream();

    std::unique_ptr<Mixer> m_mixer;
    bool m_audioInitialised = false;
    bool m_hasDevice = false;
    std::uint32_t m_stream = 0;
    int m_framesPerPeriod = 0;
};
