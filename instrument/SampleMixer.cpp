#include "SampleMixer.h"

#include <algorithm>
#include <limits>

namespace {

int takeFront(std::span<const std::int16_t> &samples)
{
    if (samples.empty())
        return 0;
    const int value = samples.front();
    samples = samples.subspan(1);
    return value;
}

} // namespace

void SampleMixer::start(std::span<const std::int16_t> samples)
{
    if (m_sounded && !m_playing.empty()) {
        // A third cut within one fade ends the fade nearest its end.
        auto *free = std::min_element(m_fades.begin(), m_fades.end(),
                                      [](const Fade &a, const Fade &b) { return a.samples.size() < b.samples.size(); });
        *free = {m_playing.first(std::min<std::size_t>(m_playing.size(), FadeFrames)), 0};
    }
    m_playing = samples;
    m_sounded = false;
}

void SampleMixer::render(std::span<std::int16_t> out)
{
    if (!out.empty() && !m_playing.empty())
        m_sounded = true;
    for (std::int16_t &frame : out) {
        int mixed = takeFront(m_playing);
        for (Fade &fade : m_fades) {
            if (fade.samples.empty())
                continue;
            mixed += takeFront(fade.samples) * (FadeFrames - fade.step) / FadeFrames;
            ++fade.step;
        }
        frame = std::int16_t(
            std::clamp<int>(mixed, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
    }
}

void SampleMixer::silence()
{
    m_playing = {};
    m_fades = {};
}

std::size_t SampleMixer::framesLeft() const
{
    std::size_t left = m_playing.size();
    for (const Fade &fade : m_fades)
        left = std::max(left, fade.samples.size());
    return left;
}
