#include "OutputClock.h"

#include <QTest>

#include <random>

namespace {

using Nanoseconds = OutputClock::Nanoseconds;

constexpr int Rate = 22050;
constexpr int Period = 128;
constexpr Nanoseconds Millisecond = 1'000'000;
constexpr Nanoseconds Delay = 8 * Millisecond;
constexpr Nanoseconds Start = 5'000 * Millisecond;

// A device that takes a period every `period` nanoseconds of its own clock, its
// callback running up to `jitter` late; the program's clock reads `now`.
struct FakeDevice
{
    double period = double(Period) * 1e9 / Rate;
    Nanoseconds jitter = Millisecond;
    std::mt19937 random{7};
    std::uint64_t frames = 0;
    std::int64_t periods = 0;
    Nanoseconds lost = 0; // time the device lost in underruns: its frames sound that much later

    // Runs the callback for the next period; returns when it ran.
    Nanoseconds callBack(OutputClock &clock)
    {
        const Nanoseconds now = Start + lost + Nanoseconds(double(periods) * period) +
                                std::uniform_int_distribution<Nanoseconds>(0, jitter)(random);
        clock.periodBegins(now, frames);
        frames += Period;
        ++periods;
        return now;
    }
};

} // namespace

// The map from the program's clock to an output's frames: every note at the frame
// of its moment, a fixed delay later, and no frame given that a callback has
// already rendered.
class OutputClockTest : public QObject
{
    Q_OBJECT

private slots:
    void notesKeepTheirRhythmToTheFrame();
    void followsADeviceThatDrifts_data();
    void followsADeviceThatDrifts();
    void makesUpForAnUnderrunWithinASecond();
};

// Notes due every 7.3 ms, each placed when the callback before its frame runs:
// their frames lie exactly their moments apart, although the callbacks jitter by
// up to a millisecond.
void OutputClockTest::notesKeepTheirRhythmToTheFrame()
{
    OutputClock clock(Rate, Period, Delay);
    FakeDevice device;
    for (int period = 0; period < 200; ++period)
        device.callBack(clock);
    const Nanoseconds firstDue = Start + 2'000 * Millisecond;
    const std::int64_t firstFrame = clock.frameAt(firstDue);
    for (int note = 1; note < 500; ++note) {
        const Nanoseconds due = firstDue + Nanoseconds(note) * 7'300'000;
        Nanoseconds now = 0;
        while ((now = device.callBack(clock)) < due) {
        }
        const std::int64_t frame = clock.frameAt(due);
        // To the frame: within one of the exact place, which lies between two frames.
        QVERIFY(std::abs(double(frame - firstFrame) - note * 7.3e-3 * Rate) < 1);
        // The first callback after the note's moment had not rendered its frame.
        QVERIFY(frame >= std::int64_t(device.frames) - Period);
    }
}

void OutputClockTest::followsADeviceThatDrifts_data()
{
    QTest::addColumn<double>("drift");
    QTest::newRow("100 ppm fast") << -100e-6;
    QTest::newRow("100 ppm slow") << 100e-6;
}

// A device whose clock runs off the program's: the frames a note gets are never
// ones already rendered, the delay stays within a period of its start, and the
// rhythm bends no more than the device's own clock does.
void OutputClockTest::followsADeviceThatDrifts()
{
    QFETCH(double, drift);
    OutputClock clock(Rate, Period, Delay);
    FakeDevice device;
    device.period *= 1 + drift;
    for (int period = 0; period < 200; ++period)
        device.callBack(clock);
    const double framesPerNanosecond = Rate / 1e9;
    Nanoseconds previousDue = 0;
    std::int64_t previousFrame = 0;
    for (int second = 0; second < 150; ++second) {
        for (int period = 0; period < Rate / Period; ++period) {
            // A note due just after a callback falls to the next one.
            const Nanoseconds now = device.callBack(clock);
            QVERIFY(clock.frameAt(now) >= std::int64_t(device.frames));
        }
        const Nanoseconds due = device.callBack(clock);
        const std::int64_t frame = clock.frameAt(due);
        // How late the frame sounds, on the device's clock, against the delay.
        const double heardAfter = double(frame - std::int64_t(device.frames)) / framesPerNanosecond + device.period;
        QVERIFY2(std::abs(heardAfter - double(Delay)) < device.period + 2 * Millisecond,
                 qPrintable(QStringLiteral("second %1: %2 ms").arg(second).arg(heardAfter / 1e6)));
        if (previousDue != 0) {
            const double interval = double(due - previousDue) * framesPerNanosecond;
            QVERIFY(std::abs(double(frame - previousFrame) - interval) <= interval * 300e-6 + 1);
        }
        previousDue = due;
        previousFrame = frame;
    }
}

// An underrun loses the device 40 ms: its later frames sound that much later. Within
// a second and a half the notes sound the fixed delay after their moments again.
void OutputClockTest::makesUpForAnUnderrunWithinASecond()
{
    OutputClock clock(Rate, Period, Delay);
    FakeDevice device;
    const auto delayHeard = [&] {
        const Nanoseconds due = device.callBack(clock);
        return double(clock.frameAt(due) - std::int64_t(device.frames)) * 1e9 / Rate + device.period;
    };
    for (int period = 0; period < 2 * Rate / Period; ++period)
        device.callBack(clock);
    const double before = delayHeard();
    device.lost = 40 * Millisecond;
    for (int period = 0; period < 3 * Rate / Period / 2; ++period)
        device.callBack(clock);
    const double after = delayHeard();
    QVERIFY2(std::abs(after - before) < 2 * Millisecond,
             qPrintable(QStringLiteral("%1 ms after the underrun, %2 ms before").arg(after / 1e6).arg(before / 1e6)));
}

QTEST_GUILESS_MAIN(OutputClockTest)
#include "tst_outputclock.moc"
