#include "RecordingSoundOutput.h"

#include "Error.h"

#include <utility>

void RecordingSoundOutput::play(std::span<const std::int16_t> pcm, Clock::time_point due)
{
    if (m_nextFailure)
        std::rethrow_exception(std::exchange(m_nextFailure, nullptr));
    m_played.push_back(pcm);
    m_dues.push_back(due);
    m_sounding = pcm;
}

void RecordingSoundOutput::failNextPlay(const QString &errorText)
{
    m_nextFailure = std::make_exception_ptr(Error(errorText));
}

void RecordingSoundOutput::stop()
{
    m_sounding = {};
}
