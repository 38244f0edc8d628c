#include "SampleMixer.h"

#include <QTest>

#include <vector>

namespace {

constexpr int Fade = SampleMixer::FadeFrames;

std::vector<std::int16_t> constant(std::int16_t value, std::size_t frames = 1000)
{
    return std::vector<std::int16_t>(frames, value);
}

std::vector<std::int16_t> rendered(SampleMixer &mixer, std::size_t frames)
{
    std::vector<std::int16_t> out(frames);
    mixer.render(out);
    return out;
}

// A cut-off note's share `step` frames into its fade.
int faded(int value, int step)
{
    return step < Fade ? value * (Fade - step) / Fade : 0;
}

} // namespace

// How notes cut one another off: what the live output and the renderer both play.
class SampleMixerTest : public QObject
{
    Q_OBJECT

private slots:
    void secondCutWithinTheFadeFadesBothOut();
    void noteCutBeforeItSoundedLeavesNothing();
};

void SampleMixerTest::secondCutWithinTheFadeFadesBothOut()
{
    const auto first = constant(3000), second = constant(300), third = constant(30);
    SampleMixer mixer;
    mixer.start(first);
    rendered(mixer, 100);
    mixer.start(second);
    rendered(mixer, 10);
    mixer.start(third);
    const auto out = rendered(mixer, Fade + 5);
    for (int frame = 0; frame < Fade + 5; ++frame)
        QCOMPARE(out[frame], 30 + faded(300, frame) + faded(3000, 10 + frame));
    QCOMPARE(mixer.framesLeft(), third.size() - Fade - 5);
}

void SampleMixerTest::noteCutBeforeItSoundedLeavesNothing()
{
    const auto first = constant(3000), second = constant(300), third = constant(30);
    SampleMixer mixer;
    mixer.start(first);
    rendered(mixer, 100);
    mixer.start(second);
    mixer.start(third);
    const auto out = rendered(mixer, 3);
    for (int frame = 0; frame < 3; ++frame)
        QCOMPARE(out[frame], 30 + faded(3000, frame));
}

QTEST_GUILESS_MAIN(SampleMixerTest)
#include "tst_samplemixer.moc"
