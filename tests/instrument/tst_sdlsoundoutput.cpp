#include "Error.h"
#include "SampleBank.h"
#include "SamplePlayer.h"
#include "SdlSoundOutput.h"
#include "SoundCapture.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Samples = std::span<const std::int16_t>;

} // namespace

// Plays through SDL's disk driver, which writes the stream to a file at about
// real-time pace, and checks the captured samples.
class TestSdlSoundOutput : public QObject
{
    Q_OBJECT

private slots:
    // First: it must see the process before SDL was ever started in it.
    void signalsStillEndTheProgram();
    void notesStartAtTheFramesOfTheirMoments();
    void nothingIsReadAfterStop();
    void playAndStopRaceTheCallback();
    void missingDriverMeansNoDevice();
    void deviceThatCannotPlayRaisesTheSystemError();
    void lostDeviceIsSilentOnlyWhenNoDeviceIsLeft();

private:
    void checkCut(Samples capture, Samples old, std::size_t oldStart, Samples next, std::size_t cut);
};

void TestSdlSoundOutput::checkCut(Samples capture, Samples old, std::size_t oldStart, Samples next, std::size_t cut)
{
    // The old note itself may have started over a ramp: compare from past it.
    const std::size_t played = cut - oldStart;
    QVERIFY(std::ranges::equal(capture.subspan(oldStart + RampFrames, played - RampFrames),
                               old.subspan(RampFrames, played - RampFrames)));
    // In the ramp the old note fades out under the new one: neither a dead stop
    // at the cut nor a dead stop at the ramp's end.
    const std::size_t quarter = RampFrames / 4;
    double fadingAtStart = 0, oldAtStart = 0, fadingAtEnd = 0, oldAtEnd = 0;
    for (std::size_t i = 0; i < RampFrames; ++i) {
        const double fading = capture[cut + i] - next[i];
        const double oldValue = old[played + i];
        QVERIFY2(std::abs(fading) <= std::abs(oldValue) + 1, qPrintable(QString("ramp frame %1").arg(i)));
        if (i < quarter) {
            fadingAtStart += fading * fading;
            oldAtStart += oldValue * oldValue;
        } else if (i >= RampFrames - quarter) {
            fadingAtEnd += fading * fading;
            oldAtEnd += oldValue * oldValue;
        }
    }
    QVERIFY(fadingAtStart > 0.25 * oldAtStart);
    QVERIFY(fadingAtEnd < 0.25 * oldAtEnd);
}

// Each note starts at the frame of its moment, whether play() came early or on
// time; a note whose moment has passed starts at once and is counted late. With
// 441-frame periods (20 ms) the disk driver keeps close to real time.
void TestSdlSoundOutput::notesStartAtTheFramesOfTheirMoments()
{
    QTemporaryDir dir;
    const QString capturePath = dir.filePath("capture.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", capturePath.toLocal8Bit());

    const SampleBank bank = SampleBank::embedded();
    const Samples first = bank.pcm(0);
    const Samples second = bank.pcm(4);
    std::uint64_t late = 0;
    {
        SdlSoundOutput output({}, {441, std::chrono::milliseconds(2)});
        QVERIFY(output.hasDevice());
        QCOMPARE(output.framesPerPeriod(), 441);
        // Past the clock's settling, then notes 300 and 200 ms apart.
        const auto start = SoundOutput::Clock::now() + std::chrono::milliseconds(400);
        const auto playAt = [&](Samples sample, std::chrono::milliseconds due, std::chrono::milliseconds early) {
            std::this_thread::sleep_until(start + due - early);
            output.play(sample, start + due);
        };
        playAt(first, std::chrono::milliseconds(0), std::chrono::milliseconds(10));
        playAt(second, std::chrono::milliseconds(300), std::chrono::milliseconds(0));
        playAt(second, std::chrono::milliseconds(500), std::chrono::milliseconds(3));
        QCOMPARE(output.lateNotes(), 0u);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        output.play(first, SoundOutput::Clock::now() - std::chrono::seconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        late = output.lateNotes();
    }
    QCOMPARE(late, 1u);
    const std::vector<std::int16_t> recorded = readCapture(capturePath);
    const Samples capture(recorded);
    const auto firstStart = onsetOf(capture, 0, first);
    QVERIFY(firstStart);
    // Silence before the first note, then the note from its first sample.
    QVERIFY(std::ranges::all_of(capture.first(*firstStart), [](std::int16_t v) { return v == 0; }));
    QVERIFY(std::ranges::equal(capture.subspan(*firstStart, RampFrames), first.first(RampFrames)));

    const auto secondStart = onsetOf(capture, *firstStart + 1, second);
    QVERIFY(secondStart);
    checkCut(capture, first, *firstStart, second, *secondStart);
    const auto restart = onsetOf(capture, *secondStart + 1, second);
    QVERIFY(restart);
    checkCut(capture, second, *secondStart, second, *restart);
    QVERIFY(onsetOf(capture, *restart + 1, first));

    // 300 and 200 ms apart to within two frames: the disk driver runs a little
    // slower than the clock, which the output follows only as fast as a drifting
    // device's clock.
    const auto near = [](std::size_t frames, std::size_t expected) {
        return frames + 2 >= expected && frames <= expected + 2;
    };
    QVERIFY2(near(*secondStart - *firstStart, 6615), qPrintable(QString::number(*secondStart - *firstStart)));
    QVERIFY2(near(*restart - *secondStart, 4410), qPrintable(QString::number(*restart - *secondStart)));
}

void TestSdlSoundOutput::nothingIsReadAfterStop()
{
    QTemporaryDir dir;
    const QString capturePath = dir.filePath("capture.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", capturePath.toLocal8Bit());
    constexpr std::int16_t Played = 1000, WrittenAfterStop = 7777;
    std::vector<std::int16_t> sample(22050, Played);
    {
        SdlSoundOutput output;
        QVERIFY(output.hasDevice());
        output.play(sample, SoundOutput::Clock::now());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        output.stop();
        // What the sample's memory holds from now on must never reach the output.
        std::ranges::fill(sample, WrittenAfterStop);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const std::vector<std::int16_t> capture = readCapture(capturePath);
    QVERIFY(std::ranges::count(capture, Played) > 0);
    QCOMPARE(std::ranges::count(capture, WrittenAfterStop), 0);
}

// Under ThreadSanitizer this is the check of the handoff between the window's
// thread and the audio thread.
void TestSdlSoundOutput::playAndStopRaceTheCallback()
{
#ifdef Q_OS_WIN
    QSKIP("a sleep of 20 us returns at once with mingw's threads, so the calls end before the callback ran ten periods; the race itself is checked under ThreadSanitizer");
#endif
    qputenv("SDL_AUDIODRIVER", "dummy");
    const SampleBank bank = SampleBank::embedded();
    SdlSoundOutput output;
    QVERIFY(output.hasDevice());
    const std::uint64_t before = output.framesBegun();
    for (int call = 0; call < 10'000; ++call) {
        output.play(bank.pcm(call % NoteCount), SoundOutput::Clock::now());
        if (call % 100 == 99)
            output.stop();
        std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    // The callback ran all along: the calls raced it.
    QVERIFY(output.framesBegun() - before >= 10u * std::uint64_t(output.framesPerPeriod()));
}

void TestSdlSoundOutput::missingDriverMeansNoDevice()
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SdlSoundOutput output;
    QVERIFY(!output.hasDevice());
    QCOMPARE(output.framesPerPeriod(), 0);
    const std::int16_t sample[] = {1, 2, 3};
    output.play(sample, SoundOutput::Clock::now());
}

// The disk driver always has its one device; a file it cannot create is a
// stream that cannot open.
void TestSdlSoundOutput::deviceThatCannotPlayRaisesTheSystemError()
{
    QTemporaryDir dir;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("missing/capture.raw").toLocal8Bit());
    SdlSoundOutput output;
    QVERIFY(output.hasDevice());
    const std::int16_t sample[] = {1, 2, 3};
    QVERIFY_THROWS_EXCEPTION(Error, output.play(sample, SoundOutput::Clock::now()));
    // Every note tries again.
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("capture.raw").toLocal8Bit());
    output.play(sample, SoundOutput::Clock::now());
    QVERIFY(output.framesPerPeriod() > 0);
}

// Writing to /dev/full loses the disk driver's device within a few periods.
void TestSdlSoundOutput::lostDeviceIsSilentOnlyWhenNoDeviceIsLeft()
{
    QTemporaryDir dir;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", "/dev/full");
    int devices = 1;
    SdlSoundOutput output([&] { return devices; });
    const std::int16_t sample[] = {1, 2, 3};
    output.play(sample, SoundOutput::Clock::now());
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("missing/capture.raw").toLocal8Bit());
    const auto raisesError = [&] {
        try {
            output.play(sample, SoundOutput::Clock::now());
            return false;
        } catch (const Error &) {
            return true;
        }
    };
    QTRY_VERIFY(raisesError());
    // The device is gone with the stream: silence, and the note can still be recorded.
    devices = 0;
    QVERIFY(!output.hasDevice());
    output.play(sample, SoundOutput::Clock::now());
    devices = 1;
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("capture.raw").toLocal8Bit());
    output.play(sample, SoundOutput::Clock::now());
    QVERIFY(output.framesPerPeriod() > 0);
}

void TestSdlSoundOutput::signalsStillEndTheProgram()
{
#ifdef Q_OS_WIN
    QSKIP("SDL installs POSIX signal handlers only; Windows has no sigaction()");
#else
    // SDL takes over only signals that still have their default action, as they
    // do in the program (the test library has handlers of its own).
    struct sigaction testHandlers[2] = {};
    const int endingSignals[] = {SIGTERM, SIGINT};
    for (int i = 0; i < 2; ++i) {
        struct sigaction defaultAction = {};
        defaultAction.sa_handler = SIG_DFL;
        sigaction(endingSignals[i], &defaultAction, &testHandlers[i]);
    }
    qputenv("SDL_AUDIODRIVER", "dummy");
    std::vector<bool> stillDefault;
    {
        SdlSoundOutput output;
        for (const int number : endingSignals) {
            struct sigaction action = {};
            sigaction(number, nullptr, &action);
            stillDefault.push_back(action.sa_handler == SIG_DFL);
        }
    }
    for (int i = 0; i < 2; ++i)
        sigaction(endingSignals[i], &testHandlers[i], nullptr);
    QCOMPARE(stillDefault, (std::vector<bool>{true, true}));
#endif
}

QTEST_GUILESS_MAIN(TestSdlSoundOutput)
#include "tst_sdlsoundoutput.moc"
