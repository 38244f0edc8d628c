#include "MidiFile.h"

#include "NoteTable.h"
#include "SampleBank.h"
#include "SampleMixer.h"

#include <QtEndian>

#include <array>

namespace {

// The pitches the normal row's samples sound at: C4 D4 E4 F4 G4 A4 B4 C5 D5.
constexpr std::array<int, RowLength> NormalRowKeys = {60, 62, 64, 65, 67, 69, 71, 72, 74};
constexpr int Octave = 12;
constexpr int ViolinProgram = 40; // General MIDI program 41, counted from 0
constexpr int Velocity = 96;
constexpr quint16 TicksPerQuarter = 1000;
constexpr quint32 MicrosecondsPerQuarter = 1'000'000; // with the above, one tick is 1 ms

int midiKey(int note)
{
    return NormalRowKeys.at(note % RowLength) + (Notes.at(note).row == NoteRow::Fast ? Octave : 0);
}

class TrackWriter
{
public:
    void event(qint64 atMs, std::initializer_list<quint8> bytes)
    {
        writeVariableLength(quint32(atMs - m_lastMs));
        m_lastMs = atMs;
        for (quint8 byte : bytes)
            m_track.append(char(byte));
    }

    void meta(qint64 atMs, quint8 type, const QByteArray &data)
    {
        event(atMs, {0xFF, type});
        writeVariableLength(quint32(data.size()));
        m_track.append(data);
    }

    QByteArray track() const { return m_track; }

private:
    void writeVariableLength(quint32 value)
    {
        std::array<char, 5> bytes{};
        int count = 0;
        do {
            bytes[count++] = char(value & 0x7F);
            value >>= 7;
        } while (value != 0);
        while (count > 1)
            m_track.append(char(bytes[--count] | 0x80));
        m_track.append(bytes[0]);
    }

    QByteArray m_track;
    qint64 m_lastMs = 0;
};

template <typename Integer> QByteArray bigEndian(Integer value)
{
    QByteArray bytes(sizeof value, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

} // namespace

QByteArray midiFile(const std::vector<TimedNote> &notes, const SampleBank &bank, std::chrono::microseconds tick)
{
    const auto millisecondAt = [&](qint64 startTick) { return (startTick * tick.count() + 500) / 1000; };

    TrackWriter track;
    track.meta(0, 0x03, QByteArrayLiteral("Morvil"));
    track.meta(0, 0x51, bigEndian(MicrosecondsPerQuarter).right(3));
    track.event(0, {0xC0, ViolinProgram});
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const qint64 on = millisecondAt(notes[i].startTick);
        const qint64 off = i + 1 < notes.size()
                               ? millisecondAt(notes[i + 1].startTick)
                               : on + qint64(bank.pcm(notes[i].note).size()) * 1000 / SampleMixer::SampleRate;
        const auto key = quint8(midiKey(notes[i].note));
        track.event(on, {0x90, key, Velocity});
        track.event(off, {0x80, key, 0});
    }
    QByteArray file = QByteArrayLiteral("MThd") + bigEndian(quint32(6)) + bigEndian(quint16(0)) +
                      bigEndian(quint16(1)) + bigEndian(TicksPerQuarter);
    const QByteArray events = track.track() + QByteArray("\x00\xFF\x2F\x00", 4);
    return file + "MTrk" + bigEndian(quint32(events.size())) + events;
}
