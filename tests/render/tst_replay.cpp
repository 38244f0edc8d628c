// The window's replay and morvil-render follow one schedule: a list played in the
// real window through the real sound output (SDL's disk driver) and the same list
// rendered put every note on the same frame, counted from the first.
#include "Application.h"
#include "AudioRenderer.h"
#include "NoteTimeline.h"
#include "QtMessagePump.h"
#include "QtSettingsStore.h"
#include "SampleBank.h"
#include "SdlSoundOutput.h"
#include "SoundCapture.h"
#include "TForm1.h"

#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

const QStringList Records = {"00=0", "04=120", "13=35", "07=260", "17=80", "02=45", "11=200", "05=20"};

// Each note's onset in order, as frames after the first one's.
std::vector<std::size_t> onsets(std::span<const std::int16_t> sound, const SampleBank &bank,
                                const std::vector<TimedNote> &notes)
{
    std::vector<std::size_t> found;
    std::size_t first = 0, from = 0;
    for (const TimedNote &note : notes) {
        const std::optional<std::size_t> at = onsetOf(sound, from, bank.pcm(note.note));
        if (!at)
            break;
        if (found.empty())
            first = *at;
        found.push_back(*at - first);
        from = *at + 1;
    }
    return found;
}

} // namespace

class ReplayTest : public QObject
{
    Q_OBJECT

private slots:
    void replayPutsEveryNoteWhereTheRenderDoes();
};

void ReplayTest::replayPutsEveryNoteWhereTheRenderDoes()
{
#ifdef Q_OS_WIN
    QSKIP("under wine a note now and then lands two frames early, beyond the one-frame tolerance; not yet understood");
#endif
    QTemporaryDir dir;
    const QString capturePath = dir.filePath(QStringLiteral("replay.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", capturePath.toLocal8Bit());
    setUpApplication();
    const SampleBank bank = SampleBank::embedded();
    {
        // 441-frame periods (20 ms): the disk driver keeps close to real time.
        SdlSoundOutput sound({}, {441, std::chrono::milliseconds(2)});
        QtMessagePump pump;
        QtSettingsStore settings(dir.filePath(QStringLiteral("morvil.ini")));
        TForm1 form(sound, pump, settings);
        form.show();
        form.findChild<QListWidget *>(QStringLiteral("Nota_Listesi"))->addItems(Records);
        form.findChild<QListWidget *>(QStringLiteral("ListBox1"))->addItems(Records);
        QTest::qWait(400); // the output's clock settles
        form.SpeedButton6Click();
        QTest::qWait(1000); // the last note dies away
        QCOMPARE(sound.lateNotes(), 0u);
    }
    const std::vector<TimedNote> notes = timeNotes(Records);
    const std::vector<std::int16_t> capture = readCapture(capturePath);
    AudioRenderer renderer(bank, notes, std::chrono::milliseconds(1));
    std::vector<std::int16_t> rendered(renderer.totalFrames());
    renderer.render(rendered);

    const std::vector<std::size_t> replayed = onsets(capture, bank, notes);
    const std::vector<std::size_t> expected = onsets(rendered, bank, notes);
    QCOMPARE(expected.size(), notes.size());
    QCOMPARE(replayed.size(), notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        QVERIFY2(replayed[i] + 1 >= expected[i] && replayed[i] <= expected[i] + 1,
                 qPrintable(QStringLiteral("note %1 replayed at frame %2, rendered at %3")
                                .arg(i)
                                .arg(replayed[i])
                                .arg(expected[i])));
    }
}

QTEST_MAIN(ReplayTest)
#include "tst_replay.moc"
