#pragma once

#include "SoundOutput.h"

#include <cstdint>
#include <functional>
#include <memory>

// The sound output of the program: one SDL audio stream, opened at construction
// and kept open, whose callback plays the current sample. A new sample starts at
// the stream's next period; the old one fades out under it within 2 ms so that
// the cut does not click.
class SdlSoundOutput : public SoundOutput
{
public:
    // How many output devices the machine has: SDL's count, unless a test stands
    // in for the machine.
    using DeviceCount = std::function<int()>;

    explicit SdlSoundOutput(DeviceCount deviceCount = {});
    ~SdlSoundOutput() override;
    SdlSoundOutput(const SdlSoundOutput &) = delete;
    SdlSoundOutput &operator=(const SdlSoundOutput &) = delete;

    // Asks the device count each time: a device can come and go during the run.
    bool hasDevice() const override;

    // Opens the stream when it is not open or has stopped (its device was lost).
    // If that fails while the machine has a device, it throws
    // Error("A call to an OS function failed"), as SDL gives no error number;
    // with no device left the note is silent. Every later call tries again.
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

    DeviceCount m_deviceCount;
    std::unique_ptr<Mixer> m_mixer;
    bool m_audioInitialised = false;
    std::uint32_t m_stream = 0;
    int m_framesPerPeriod = 0;
};
