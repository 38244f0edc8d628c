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
    m_fading = m_playing.first(std::min<std::size_t>(m_playing.size(), FadeFrames));
    m_fadeStep = 0;
    m_playing = samples;
}

void SampleMixer::render(std::span<std::int16_t> out)
{
    for (std::int16_t &frame : out) {
        int mixed = takeFront(m_playing);
        if (!m_fading.empty()) {
            mixed += takeFront(m_fading) * (FadeFrames - m_fadeStep) / FadeFrames;
            ++m_fadeStep;
        }
        frame = std::int16_t(
            std::clamp<int>(mixed, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
    }
}

void SampleMixer::silence()
{
    m_playing = {};
    m_fading = {};
}

std::size_t SampleMixer::framesLeft() const
{
    return std::max(m_playing.size(), m_fading.size());
}
