#pragma once

#include "SoundOutput.h"

#include <QString>

#include <exception>
#include <vector>

// A sound output that records what it was asked to play. It can pretend that
// the machine has no output device, and fail the next play with an Error or
// any other exception.
class RecordingSoundOutput : public SoundOutput
{
public:
    bool hasDevice() const override { return m_hasDevice; }
    void play(std::span<const std::int16_t> pcm, Clock::time_point due) override;
    void stop() override;

    void setHasDevice(bool hasDevice) { m_hasDevice = hasDevice; }
    void failNextPlay(const QString &errorText);
    void failNextPlay(std::exception_ptr failure) { m_nextFailure = std::move(failure); }

    // Every sample played, oldest first; compare data() with SampleBank::pcm(n).data()
    // to tell which note sounded.
    const std::vector<std::span<const std::int16_t>> &played() const { return m_played; }
    // When each was due.
    const std::vector<Clock::time_point> &dues() const { return m_dues; }
    // What a stream's callback would still be reading: the last sample played,
    // until stop().
    std::span<const std::int16_t> sounding() const { return m_sounding; }

private:
    bool m_hasDevice = true;
    std::exception_ptr m_nextFailure;
    std::vector<std::span<const std::int16_t>> m_played;
    std::vector<Clock::time_point> m_dues;
    std::span<const std::int16_t> m_sounding;
};
