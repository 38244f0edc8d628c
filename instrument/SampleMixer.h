#pragma once

#include <array>
#include <cstdint>
#include <span>

// Sounds one sample at a time, as the player's listener hears it: a new sample
// starts at once, and the one still sounding fades out under it within
// FadeFrames so that the cut does not click; a sample cut again within its
// predecessor's fade fades out beside it, and a sample cut before its first
// frame leaves nothing. It touches nothing but the samples it was given and
// allocates nothing, so the live output's audio callback can use it, and a
// renderer gets exactly what the live output plays.
class SampleMixer
{
public:
    static constexpr int SampleRate = 22050;
    static constexpr int FadeFrames = SampleRate * 2 / 1000;

    // The sample must stay alive until the next start() or silence().
    void start(std::span<const std::int16_t> samples);

    // The next frames of the mix.
    void render(std::span<std::int16_t> out);

    void silence();

    // Frames until the mix falls silent.
    std::size_t framesLeft() const;

private:
    struct Fade
    {
        std::span<const std::int16_t> samples; // the cut-off sample's next frames, at most FadeFrames
        int step = 0;
    };
    // Notes follow one another a millisecond apart at the closest, so no more than
    // two cuts fall within one fade.
    static constexpr std::size_t MaxFades = 2;

    std::span<const std::int16_t> m_playing;
    bool m_sounded = false; // m_playing has had a frame in the mix
    std::array<Fade, MaxFades> m_fades;
};
