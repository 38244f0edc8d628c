#pragma once

#include "SoundOutput.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

// How the sound output's stream runs.
struct OutputTiming
{
    // Frames the callback renders at a time. Through a PulseAudio null sink 128 kept
    // up for a minute of notes with the other core busy; 64 gave the lowest latency
    // on an idle machine but ran dry under load (README, "Benchmarks").
    int framesPerPeriod = 128;
    // How much more than one period a note's frame lies behind its moment: room for
    // the callback's lateness and the time from the moment to play(). The smallest
    // measured; a note that still comes late starts at once and is counted.
    std::chrono::microseconds margin{500};
};

// The sound output of the program: one SDL audio stream, opened at construction
// and kept open, whose callback mixes the notes. Each note starts at the frame
// that sounds latency() after the moment it is due, anywhere inside a period
// (OutputClock maps the program's clock to the stream's frames); the note still
// sounding fades out under it within 2 ms so that the cut does not click.
class SdlSoundOutput : public SoundOutput
{
public:
    // How many output devices the machine has: SDL's count, unless a test stands
    // in for the machine.
    using DeviceCount = std::function<int()>;

    explicit SdlSoundOutput(DeviceCount deviceCount = {}, OutputTiming timing = {});
    ~SdlSoundOutput() override;
    SdlSoundOutput(const SdlSoundOutput &) = delete;
    SdlSoundOutput &operator=(const SdlSoundOutput &) = delete;

    // Asks the device count each time: a device can come and go during the run.
    bool hasDevice() const override;

    // Opens the stream when it is not open or has stopped (its device was lost).
    // If that fails while the machine has a device, it throws
    // Error("A call to an OS function failed"), as SDL gives no error number;
    // with no device left the note is silent. Every later call tries again.
    void play(std::span<const std::int16_t> pcm, Clock::time_point due) override;
    // Clears the playing, the fading and the notes not yet started while the
    // callback cannot run.
    void stop() override;

    // Frames the callback renders at a time; 0 without an open stream.
    int framesPerPeriod() const { return m_framesPerPeriod; }

    // The fixed delay from a note's moment to its frame on the stream's clock:
    // one period and the margin.
    std::chrono::microseconds latency() const;

    // Frames of every period the callback has begun.
    std::uint64_t framesBegun() const;

    // Notes that reached the callback after their frame had been rendered, and so
    // started late; and notes dropped because the stream had stopped taking them.
    std::uint64_t lateNotes() const;

private:
    class Mixer;

    bool openStream();
    void closeStream();

    DeviceCount m_deviceCount;
    OutputTiming m_timing;
    std::unique_ptr<Mixer> m_mixer;
    bool m_audioInitialised = false;
    std::uint32_t m_stream = 0;
    int m_framesPerPeriod = 0;
};
