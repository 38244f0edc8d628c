#include "AudioFile.h"
#include "AudioRenderer.h"
#include "Error.h"
#include "FailDevice.h"
#include "SampleBank.h"

#include <QBuffer>
#include <QTest>

#include <sndfile.h>

#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr int Fade = 44; // 2 ms: the live output's cut-off ramp

using Frames = std::vector<std::int16_t>;
using Timed = QList<QPair<int, qint64>>;

// What the listener should hear: each note's sample from the frame nearest to its
// start (in microseconds), the note before it fading out linearly over 2 ms under it.
Frames expectedMix(const SampleBank &bank, const std::vector<std::pair<int, qint64>> &notesAtUs)
{
    std::vector<std::pair<qint64, int>> starts;
    for (const auto &[note, us] : notesAtUs)
        starts.emplace_back((us * Rate + 500'000) / 1'000'000, note);
    const auto &[lastStart, lastNote] = starts.back();
    Frames mix(std::size_t(lastStart) + bank.pcm(lastNote).size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const auto pcm = bank.pcm(starts[i].second);
        const qint64 end = i + 1 < starts.size() ? starts[i + 1].first : qint64(mix.size());
        for (qint64 frame = starts[i].first; frame < qint64(mix.size()); ++frame) {
            const qint64 at = frame - starts[i].first;
            if (at >= qint64(pcm.size()))
                break;
            const qint64 faded = frame - end;
            if (faded >= Fade)
                break;
            const int value = faded < 0 ? pcm[at] : pcm[at] * (Fade - int(faded)) / Fade;
            mix[frame] = std::int16_t(std::clamp(mix[frame] + value, -32768, 32767));
        }
    }
    return mix;
}

Frames renderAll(AudioRenderer &renderer, std::size_t block)
{
    Frames all, part(block);
    while (const std::size_t count = renderer.render(part))
        all.insert(all.end(), part.begin(), part.begin() + qsizetype(count));
    return all;
}

SF_VIRTUAL_IO bufferIo()
{
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void *b) -> sf_count_t { return static_cast<QBuffer *>(b)->size(); };
    io.seek = [](sf_count_t offset, int whence, void *b) -> sf_count_t {
        auto *buffer = static_cast<QBuffer *>(b);
        const sf_count_t base = whence == SEEK_CUR ? buffer->pos() : whence == SEEK_END ? buffer->size() : 0;
        buffer->seek(base + offset);
        return buffer->pos();
    };
    io.read = [](void *data, sf_count_t bytes, void *b) -> sf_count_t {
        return static_cast<QBuffer *>(b)->read(static_cast<char *>(data), bytes);
    };
    io.write = [](const void *, sf_count_t, void *) -> sf_count_t { return 0; };
    io.tell = [](void *b) -> sf_count_t { return static_cast<QBuffer *>(b)->pos(); };
    return io;
}

// Decodes a sound file with libsndfile.
Frames decode(QByteArray bytes, int *rate = nullptr)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SF_VIRTUAL_IO io = bufferIo();
    SF_INFO info{};
    SNDFILE *file = sf_open_virtual(&io, SFM_READ, &info, &buffer);
    if (!file)
        return {};
    Frames frames(std::size_t(info.frames));
    sf_readf_short(file, frames.data(), info.frames);
    sf_close(file);
    if (rate)
        *rate = info.samplerate;
    return frames;
}

} // namespace

// The melody rendered as the live output plays it, and written as sound files.
class RenderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_bank = SampleBank::embedded(); }

    void timesTheNotesAsThePlayerWaits_data();
    void timesTheNotesAsThePlayerWaits();
    void aRecordThatIsNoNoteRecordNamesItsLine_data();
    void aRecordThatIsNoNoteRecordNamesItsLine();
    void melodiesLongerThanAFileCanHoldAreRefused();

    void rendersEachNoteAtItsOffsetWithTheCutOffRamp_data();
    void rendersEachNoteAtItsOffsetWithTheCutOffRamp();
    void notesOnTheSameFrameSoundOnlyTheLast();
    void wavAndFlacHoldTheRenderedFrames_data();
    void wavAndFlacHoldTheRenderedFrames();
    void resamplesToTheAskedRate();
    void aFailingDeviceIsAnError();

private:
    SampleBank m_bank = SampleBank::fromBank({});
};

void RenderTest::timesTheNotesAsThePlayerWaits_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<Timed>("expected");
    QTest::newRow("each step after the one before")
        << QStringList{"00=0", "18=5", "04=10", "06=-7", "17=2"} << Timed{{0, 1}, {4, 12}, {6, 12}, {17, 15}};
    QTest::newRow("counts of 32 bits add up in 64")
        << QStringList{"00=2147483647", "01=2147483647"} << Timed{{0, 2147483648LL}, {1, 4294967296LL}};
}

void RenderTest::timesTheNotesAsThePlayerWaits()
{
    QFETCH(QStringList, records);
    QFETCH(Timed, expected);
    Timed timed;
    for (const TimedNote &note : timeNotes(records))
        timed.append({note.note, note.startTick});
    QCOMPARE(timed, expected);
}

void RenderTest::aRecordThatIsNoNoteRecordNamesItsLine_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("error");
    QTest::newRow("the first bad record, counted from 1")
        << QStringList{"01=0", "02=0", "AB=3", "7="} << "line 3 (\"AB=3\"): 'AB' is not a valid integer value";
}

void RenderTest::aRecordThatIsNoNoteRecordNamesItsLine()
{
    QFETCH(QStringList, records);
    QFETCH(QString, error);
    try {
        timeNotes(records);
        QFAIL("no error");
    } catch (const Error &raised) {
        QCOMPARE(raised.text(), error);
    }
}

void RenderTest::melodiesLongerThanAFileCanHoldAreRefused()
{
    const std::vector<TimedNote> twelveHours{{0, 12LL * 3600 * 1000}};
    checkMelodyDuration(twelveHours, std::chrono::milliseconds(1));
    QVERIFY_THROWS_EXCEPTION(Error,
                             checkMelodyDuration({{0, twelveHours[0].startTick + 1}}, std::chrono::milliseconds(1)));
    QVERIFY_THROWS_EXCEPTION(Error, checkMelodyDuration(twelveHours, std::chrono::microseconds(1001)));
    // A count of a thousand million ticks, as a hand-edited file may hold.
    QVERIFY_THROWS_EXCEPTION(Error, checkMelodyDuration(timeNotes({"00=1000000000"}), std::chrono::milliseconds(1)));
}

void RenderTest::rendersEachNoteAtItsOffsetWithTheCutOffRamp_data()
{
    QTest::addColumn<int>("tickUs");
    QTest::addColumn<int>("block");
    QTest::newRow("1 ms ticks, small blocks") << 1000 << 100;
    QTest::newRow("1 ms ticks, one frame at a time") << 1000 << 1;
    QTest::newRow("2.5 ms ticks") << 2500 << 4096;
}

void RenderTest::rendersEachNoteAtItsOffsetWithTheCutOffRamp()
{
    QFETCH(int, tickUs);
    QFETCH(int, block);
    // The second note cuts the first off in mid-sound, the third starts after the
    // second has died away, on a frame that needs rounding.
    const std::vector<TimedNote> notes = timeNotes({"00=0", "04=500", "13=2000"});
    AudioRenderer renderer(m_bank, notes, std::chrono::microseconds(tickUs));
    const Frames rendered = renderAll(renderer, std::size_t(block));
    const auto us = [&](qint64 ticks) { return ticks * tickUs; };
    const Frames expected = expectedMix(m_bank, {{0, us(1)}, {4, us(502)}, {13, us(2503)}});
    QCOMPARE(rendered.size(), expected.size());
    QCOMPARE(renderer.totalFrames(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (rendered[i] != expected[i])
            QFAIL(qPrintable(QStringLiteral("frame %1: %2, expected %3").arg(i).arg(rendered[i]).arg(expected[i])));
    }
}

void RenderTest::notesOnTheSameFrameSoundOnlyTheLast()
{
    const std::vector<TimedNote> notes = timeNotes({"00=9", "01=-1", "02=-1"});
    AudioRenderer renderer(m_bank, notes, std::chrono::milliseconds(1));
    QCOMPARE(renderAll(renderer, 512), expectedMix(m_bank, {{2, 10'000}}));
}

void RenderTest::wavAndFlacHoldTheRenderedFrames_data()
{
    QTest::addColumn<int>("container");
    QTest::newRow("wav") << int(AudioContainer::Wav);
    QTest::newRow("flac") << int(AudioContainer::Flac);
}

void RenderTest::wavAndFlacHoldTheRenderedFrames()
{
    QFETCH(int, container);
    const std::vector<TimedNote> notes = timeNotes({"16=3", "08=40", "00=0"});
    AudioRenderer direct(m_bank, notes, std::chrono::milliseconds(1));
    const Frames frames = renderAll(direct, 1000);

    QBuffer file;
    file.open(QIODevice::ReadWrite);
    AudioRenderer renderer(m_bank, notes, std::chrono::milliseconds(1));
    std::vector<double> progress;
    writeAudioFile(file, AudioContainer(container), Rate, renderer, [&](double done) { progress.push_back(done); });
    int rate = 0;
    QCOMPARE(decode(file.data(), &rate), frames);
    QCOMPARE(rate, Rate);
    QVERIFY(!progress.empty());
    QCOMPARE(progress.back(), 1.0);
    QVERIFY(std::is_sorted(progress.begin(), progress.end()));
}

void RenderTest::resamplesToTheAskedRate()
{
    const std::vector<TimedNote> notes = timeNotes({"03=0", "12=200"});
    AudioRenderer renderer(m_bank, notes, std::chrono::milliseconds(1));
    const std::uint64_t frames = renderer.totalFrames();
    QBuffer file;
    file.open(QIODevice::ReadWrite);
    writeAudioFile(file, AudioContainer::Wav, 48000, renderer);
    int rate = 0;
    const Frames resampled = decode(file.data(), &rate);
    QCOMPARE(rate, 48000);
    // The filter keeps the length to within a few frames.
    QVERIFY2(std::abs(double(resampled.size()) - double(frames) * 48000 / Rate) < 8,
             qPrintable(QString::number(resampled.size())));
    QVERIFY(std::any_of(resampled.begin(), resampled.end(), [](std::int16_t frame) { return frame > 1000; }));
}

void RenderTest::aFailingDeviceIsAnError()
{
    const std::vector<TimedNote> notes = timeNotes({"00=0"});
    AudioRenderer renderer(m_bank, notes, std::chrono::milliseconds(1));
    // A disk that is full after the header.
    FailDevice full(44);
    full.open(QIODevice::ReadWrite);
    QVERIFY_THROWS_EXCEPTION(Error, writeAudioFile(full, AudioContainer::Wav, Rate, renderer));
}

QTEST_GUILESS_MAIN(RenderTest)
#include "tst_render.moc"
