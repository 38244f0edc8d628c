#pragma once

#include "NoteTable.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The eighteen note samples, read once at start and read-only afterwards.
//
// A bank is a sequence of items, one per note in note order: a flags byte
// (0x01 compressed, 0x02 description, 0x04 ident, 0x08 sample present), then a
// length byte and that many characters if 0x02, 4 ident bytes if 0x04, and, for
// an uncompressed sample, a 4-byte little-endian length and the RIFF WAVE image.
// A damaged item leaves its note silent and adds a line to problems(); the other
// notes still play.
class SampleBank
{
public:
    static SampleBank fromBank(const QByteArray &bank);

    // The bank built into the program.
    static SampleBank embedded();

    // Note's samples (mono, 22 050 Hz); empty when the note has none. Stays valid
    // as long as the bank (or a bank moved from it) lives.
    std::span<const std::int16_t> pcm(int note) const;

    // One line per damaged item, naming the note.
    QStringList problems() const { return m_problems; }

private:
    std::array<std::vector<std::int16_t>, NoteCount> m_pcm;
    QStringList m_problems;
};
