#pragma once

#include "SoundOutput.h"

#include <QString>

#include <optional>
#include <vector>

// A sound output that records what it was asked to play. It can pretend that
// the machine has no output device, and fail the next play with an Error.
class RecordingSoundOutput : public SoundOutput
{
public:
    bool hasDevice() const override { return m_hasDevice; }
    void play(std::span<const std::int16_t> pcm) override;
    void stop() override;

    void setHasDevice(bool hasDevice) { m_hasDevice = hasDevice; }
    void failNextPlay(const QString &errorText) { m_nextError = errorText; }

    // Every sample played, oldest first; compare data() with SampleBank::pcm(n).data()
    // to tell which note sounded.
    const std::vector<std::span<const std::int16_t>> &played() const { return m_played; }
    // What a stream's callback would still be reading: the last sample played,
    // until stop().
    std::span<const std::int16_t> sounding() const { return m_sounding; }

private:
    bool m_hasDevice = true;
    std::optional<QString> m_nextError;
    std::vector<std::span<const std::int16_t>> m_played;
    std::span<const std::int16_t> m_sounding;
};
