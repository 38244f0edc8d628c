#include "Application.h"
#include "SdlSoundOutput.h"

#include <QTest>

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void audioPeriodFromTheEnvironment_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("frames");
        const int standard = OutputTiming().framesPerPeriod;
        QTest::newRow("unset") << QByteArray() << standard;
        QTest::newRow("a period") << QByteArrayLiteral("256") << 256;
        QTest::newRow("the shortest") << QByteArrayLiteral("16") << 16;
        QTest::newRow("the longest") << QByteArrayLiteral("4096") << 4096;
        QTest::newRow("too short") << QByteArrayLiteral("15") << standard;
        QTest::newRow("too long") << QByteArrayLiteral("4097") << standard;
        QTest::newRow("not a number") << QByteArrayLiteral("256 frames") << standard;
    }
    void audioPeriodFromTheEnvironment()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, frames);
        if (value.isNull())
            qunsetenv("MORVIL_AUDIO_PERIOD");
        else
            qputenv("MORVIL_AUDIO_PERIOD", value);
        const OutputTiming timing = audioTiming();
        QCOMPARE(timing.framesPerPeriod, frames);
        QCOMPARE(timing.margin, OutputTiming().margin);
    }
};

QTEST_GUILESS_MAIN(TestApplication)
#include "tst_application.moc"
