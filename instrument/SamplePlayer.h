#pragma once

#include <chrono>

class SampleBank;
class SoundOutput;

// Sounds a note's sample on the output, cutting off the note still sounding.
class SamplePlayer
{
public:
    // Both must outlive the player.
    SamplePlayer(const SampleBank &bank, SoundOutput &output);
    // Stops the output: the bank's owner destroys the player before the bank.
    ~SamplePlayer();
    SamplePlayer(const SamplePlayer &) = delete;
    SamplePlayer &operator=(const SamplePlayer &) = delete;

    // Sounds the note due at `due` (SoundOutput::play). Throws Error("List index out
    // of bounds (n)") for an index outside 0...17 and the output's Error when the
    // sound cannot start. A note without a sample, or a machine without an output
    // device, plays silently.
    void play(int note, std::chrono::steady_clock::time_point due = std::chrono::steady_clock::now());

private:
    const SampleBank &m_bank;
    SoundOutput &m_output;
};
