#include "RecordingSoundOutput.h"

#include "Error.h"

#include <utility>

void RecordingSoundOutput::play(std::span<const std::int16_t> pcm)
{
    if (m_nextError) {
        const QString text = *std::exchange(m_nextError, std::nullopt);
        throw Error(text);
    }
    m_played.push_back(pcm);
    m_sounding = pcm;
}

void RecordingSoundOutput::stop()
{
    m_sounding = {};
}
