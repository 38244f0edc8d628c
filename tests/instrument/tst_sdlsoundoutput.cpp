#include "Error.h"
#include "SampleBank.h"
#include "SamplePlayer.h"
#include "SdlSoundOutput.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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

constexpr std::size_t RampLimit = 44; // 2 ms
constexpr std::size_t MatchLength = 256;

std::vector<std::int16_t> readCapture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> capture(std::size_t(bytes.size() / 2));
    qFromLittleEndian<qint16>(bytes.constData(), qsizetype(capture.size()), capture.data());
    return capture;
}

// Where sample starts in the capture at or after from, judged by its frames past
// the ramp, which no fading note disturbs.
std::optional<std::size_t> startOf(Samples capture, std::size_t from, Samples sample)
{
    const Samples pattern = sample.subspan(RampLimit, MatchLength);
    for (std::size_t at = from; at + RampLimit + MatchLength <= capture.size(); ++at) {
        if (std::ranges::equal(capture.subspan(at + RampLimit, MatchLength), pattern))
            return at;
    }
    return std::nullopt;
}

} // namespace

// Plays through SDL's disk driver, which writes the stream to a file at about
// real-time pace, and checks the captured samples.
class TestSdlSoundOutput : public QObject
{
    Q_OBJECT

private slots:
    // First: it must see the process before SDL was ever started in it.
    void signalsStillEndTheProgram();
    void newNoteCutsOffTheOldOne();
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
    QVERIFY(std::ranges::equal(capture.subspan(oldStart + RampLimit, played - RampLimit),
                               old.subspan(RampLimit, played - RampLimit)));
    // In the ramp the old note fades out under the new one: neither a dead stop
    // at the cut nor a dead stop at the ramp's end.
    const std::size_t quarter = RampLimit / 4;
    double fadingAtStart = 0, oldAtStart = 0, fadingAtEnd = 0, oldAtEnd = 0;
    for (std::size_t i = 0; i < RampLimit; ++i) {
        const double fading = capture[cut + i] - next[i];
        const double oldValue = old[played + i];
        QVERIFY2(std::abs(fading) <= std::abs(oldValue) + 1, qPrintable(QString("ramp frame %1").arg(i)));
        if (i < quarter) {
            fadingAtStart += fading * fading;
            oldAtStart += oldValue * oldValue;
        } else if (i >= RampLimit - quarter) {
            fadingAtEnd += fading * fading;
            oldAtEnd += oldValue * oldValue;
        }
    }
    QVERIFY(fadingAtStart > 0.25 * oldAtStart);
    QVERIFY(fadingAtEnd < 0.25 * oldAtEnd);
}

void TestSdlSoundOutput::newNoteCutsOffTheOldOne()
{
    QTemporaryDir dir;
    const QString capturePath = dir.filePath("capture.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", capturePath.toLocal8Bit());

    const SampleBank bank = SampleBank::embedded();
    const Samples first = bank.pcm(0);
    const Samples second = bank.pcm(4);
    // A new sample starts at a period boundary inside each call's window: from one
    // period before the stream's frame count read before the call to the count
    // read after it, so within one period of the call.
    struct Call
    {
        std::uint64_t earliest, latest;
    };
    Call firstCall, secondCall, repeatCall;
    {
        SdlSoundOutput output;
        QVERIFY(output.hasDevice());
        const int period = output.framesPerPeriod();
        QVERIFY(period >= 128 && period <= 256);
        SamplePlayer player(bank, output);
        const auto playAfter = [&](int milliseconds, int note) {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            const std::uint64_t before = output.framesBegun();
            player.play(note);
            return Call{before - std::min<std::uint64_t>(before, period), output.framesBegun()};
        };
        firstCall = playAfter(100, 0);
        secondCall = playAfter(300, 4);
        repeatCall = playAfter(200, 4);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    const std::vector<std::int16_t> recorded = readCapture(capturePath);
    const Samples capture(recorded);
    const auto firstStart = startOf(capture, 0, first);
    QVERIFY(firstStart);
    // Silence before the first note, then the note from its first sample.
    QVERIFY(std::ranges::all_of(capture.first(*firstStart), [](std::int16_t v) { return v == 0; }));
    QVERIFY(std::ranges::equal(capture.subspan(*firstStart, RampLimit), first.first(RampLimit)));

    const auto secondStart = startOf(capture, *firstStart + 1, second);
    QVERIFY(secondStart);
    checkCut(capture, first, *firstStart, second, *secondStart);

    const auto restart = startOf(capture, *secondStart + 1, second);
    QVERIFY(restart);
    checkCut(capture, second, *secondStart, second, *restart);
    // SDL writes silence without calling back until the stream is unpaused, so the
    // capture may begin with periods the count never saw: one constant offset
    // must place every switch inside its call's window.
    const std::pair<std::size_t, Call> switches[] = {
        {*firstStart, firstCall}, {*secondStart, secondCall}, {*restart, repeatCall}};
    std::size_t offset = 0;
    for (const auto &[switchAt, call] : switches)
        offset = std::max<std::size_t>(offset, switchAt - std::min<std::size_t>(switchAt, call.latest));
    for (const auto &[switchAt, call] : switches) {
        QVERIFY2(switchAt - offset >= call.earliest && switchAt - offset <= call.latest,
                 qPrintable(QString("switch at frame %1 (less %2 unseen), expected from frame %3 to %4")
                                .arg(switchAt)
                                .arg(offset)
                                .arg(call.earliest)
                                .arg(call.latest)));
    }
    // Past the ramp nothing but the restarted note sounds, up to the end of the capture.
    const std::size_t rest = capture.size() - *restart - RampLimit;
    QVERIFY(std::ranges::equal(capture.subspan(*restart + RampLimit), second.subspan(RampLimit, rest)));
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
        output.play(sample);
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
    qputenv("SDL_AUDIODRIVER", "dummy");
    const SampleBank bank = SampleBank::embedded();
    SdlSoundOutput output;
    QVERIFY(output.hasDevice());
    const std::uint64_t before = output.framesBegun();
    for (int call = 0; call < 10'000; ++call) {
        output.play(bank.pcm(call % NoteCount));
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
    output.play(sample);
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
    QVERIFY_THROWS_EXCEPTION(Error, output.play(sample));
    // Every note tries again.
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("capture.raw").toLocal8Bit());
    output.play(sample);
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
    output.play(sample);
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("missing/capture.raw").toLocal8Bit());
    const auto raisesError = [&] {
        try {
            output.play(sample);
            return false;
        } catch (const Error &) {
            return true;
        }
    };
    QTRY_VERIFY(raisesError());
    // The device is gone with the stream: silence, and the note can still be recorded.
    devices = 0;
    QVERIFY(!output.hasDevice());
    output.play(sample);
    devices = 1;
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("capture.raw").toLocal8Bit());
    output.play(sample);
    QVERIFY(output.framesPerPeriod() > 0);
}

void TestSdlSoundOutput::signalsStillEndTheProgram()
{
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
}

QTEST_GUILESS_MAIN(TestSdlSoundOutput)
#include "tst_sdlsoundoutput.moc"
