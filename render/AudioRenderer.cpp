#include "AudioRenderer.h"

#include "SampleBank.h"

#include <algorithm>

AudioRenderer::AudioRenderer(const SampleBank &bank, const std::vector<TimedNote> &notes,
                             std::chrono::microseconds tick)
    : m_bank(bank), m_notes(notes), m_tick(tick)
{
    if (!notes.empty())
        m_totalFrames = startFrame(notes.back()) + bank.pcm(notes.back().note).size();
}

std::uint64_t AudioRenderer::startFrame(const TimedNote &note) const
{
    // Within MaxMelodyDuration the product stays far below 2^63.
    const std::uint64_t micros = std::uint64_t(note.startTick) * std::uint64_t(m_tick.count());
    return (micros * SampleMixer::SampleRate + 500'000) / 1'000'000;
}

std::size_t AudioRenderer::render(std::span<std::int16_t> out)
{
    std::size_t done = 0;
    while (done < out.size() && m_frame < m_totalFrames) {
        // Of notes starting on the same frame the mixer sounds only the last.
        while (m_nextNote < m_notes.size() && startFrame(m_notes[m_nextNote]) <= m_frame)
            m_mixer.start(m_bank.pcm(m_notes[m_nextNote++].note));
        std::uint64_t until = m_totalFrames;
        if (m_nextNote < m_notes.size())
            until = startFrame(m_notes[m_nextNote]);
        const std::size_t frames = std::size_t(std::min<std::uint64_t>(until - m_frame, out.size() - done));
        m_mixer.render(out.subspan(done, frames));
        done += frames;
        m_frame += frames;
    }
    return done;
}
