#include "Error.h"
#include "RecordingSoundOutput.h"
#include "SampleBank.h"
#include "SamplePlayer.h"

#include <QTest>

class TestSamplePlayer : public QObject
{
    Q_OBJECT

private slots:
    void playsTheNotesSample();
    void indexOutsideTheNotesIsAnError_data();
    void indexOutsideTheNotesIsAnError();
    void withoutDeviceNothingSounds();
    void noteWithoutSampleIsSilent();
    void outputErrorReachesTheCaller();
    void soundStopsWithThePlayer();

private:
    const SampleBank m_bank = SampleBank::embedded();
};

void TestSamplePlayer::playsTheNotesSample()
{
    RecordingSoundOutput output;
    SamplePlayer player(m_bank, output);
    player.play(4);
    player.play(17);
    player.play(4);
    QCOMPARE(output.played().size(), 3u);
    QCOMPARE(output.played().at(0).data(), m_bank.pcm(4).data());
    QCOMPARE(output.played().at(0).size(), m_bank.pcm(4).size());
    QCOMPARE(output.played().at(1).data(), m_bank.pcm(17).data());
    QCOMPARE(output.played().at(2).data(), m_bank.pcm(4).data());
}

void TestSamplePlayer::indexOutsideTheNotesIsAnError_data()
{
    QTest::addColumn<int>("note");
    QTest::addColumn<QString>("text");
    QTest::newRow("-1") << -1 << "List index out of bounds (-1)";
    QTest::newRow("18") << 18 << "List index out of bounds (18)";
}

void TestSamplePlayer::indexOutsideTheNotesIsAnError()
{
    QFETCH(int, note);
    QFETCH(QString, text);
    RecordingSoundOutput output;
    SamplePlayer player(m_bank, output);
    try {
        player.play(note);
        QFAIL("no error raised");
    } catch (const Error &error) {
        QCOMPARE(error.text(), text);
    }
    QVERIFY(output.played().empty());
}

void TestSamplePlayer::withoutDeviceNothingSounds()
{
    RecordingSoundOutput output;
    output.setHasDevice(false);
    output.failNextPlay("must not be reached");
    SamplePlayer player(m_bank, output);
    for (int note = 0; note < NoteCount; ++note)
        player.play(note);
    QVERIFY(output.played().empty());
}

void TestSamplePlayer::noteWithoutSampleIsSilent()
{
    const SampleBank bank = SampleBank::fromBank({});
    RecordingSoundOutput output;
    output.failNextPlay("must not be reached");
    SamplePlayer player(bank, output);
    player.play(0);
    QVERIFY(output.played().empty());
}

void TestSamplePlayer::outputErrorReachesTheCaller()
{
    RecordingSoundOutput output;
    SamplePlayer player(m_bank, output);
    output.failNextPlay("System Error.  Code: 5.\nAccess is denied");
    try {
        player.play(2);
        QFAIL("no error raised");
    } catch (const Error &error) {
        QCOMPARE(error.text(), QString("System Error.  Code: 5.\nAccess is denied"));
    }
    player.play(2);
    QCOMPARE(output.played().size(), 1u);
}

// The player goes with the bank's owner: nothing may sound from the samples after it.
void TestSamplePlayer::soundStopsWithThePlayer()
{
    RecordingSoundOutput output;
    {
        SamplePlayer player(m_bank, output);
        player.play(3);
        QCOMPARE(output.sounding().data(), m_bank.pcm(3).data());
    }
    QVERIFY(output.sounding().empty());
}

QTEST_GUILESS_MAIN(TestSamplePlayer)
#include "tst_sampleplayer.moc"
