#pragma once

#include "NoteTimeline.h"
#include "SampleMixer.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

class SampleBank;

// Plays timed notes into frames exactly as the live output sounds them, at the
// samples' rate (mono, 22 050 Hz): each note starts at the frame nearest to its
// tick, cutting off the note before it with the live output's short fade, and
// the last note sounds to its end.
class AudioRenderer
{
public:
    // The notes must last no longer than MaxMelodyDuration. The bank and the
    // notes must outlive the renderer.
    AudioRenderer(const SampleBank &bank, const std::vector<TimedNote> &notes, std::chrono::microseconds tick);

    // Frames from the start of the playback until the last note has died away.
    std::uint64_t totalFrames() const { return m_totalFrames; }

    // The next frames: fills out, or less at the end; 0 once everything is rendered.
    std::size_t render(std::span<std::int16_t> out);

private:
    std::uint64_t startFrame(const TimedNote &note) const;

    const SampleBank &m_bank;
    const std::vector<TimedNote> &m_notes;
    std::chrono::microseconds m_tick;
    std::uint64_t m_totalFrames = 0;
    std::uint64_t m_frame = 0;  // the next frame to render
    std::size_t m_nextNote = 0; // the next note to start
    SampleMixer m_mixer;
};
