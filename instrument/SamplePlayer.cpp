#include "SamplePlayer.h"

#include "Error.h"
#include "NoteTable.h"
#include "SampleBank.h"
#include "SoundOutput.h"

SamplePlayer::SamplePlayer(const SampleBank &bank, SoundOutput &output) : m_bank(bank), m_output(output) {}

SamplePlayer::~SamplePlayer()
{
    m_output.stop();
}

void SamplePlayer::play(int note, std::chrono::steady_clock::time_point due)
{
    if (!isNoteIndex(note))
        throw Error(QStringLiteral("List index out of bounds (%1)").arg(note));
    const auto pcm = m_bank.pcm(note);
    if (pcm.empty() || !m_output.hasDevice())
        return;
    m_output.play(pcm, due);
}
