#include "Error.h"
#include "NoteStep.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<NoteStep>)

namespace {

bool operator==(const NoteStep &a, const NoteStep &b)
{
    return a.note == b.note && a.waitTicks == b.waitTicks;
}

} // namespace

// The step each record makes when a list is played: the one rule of the window's
// player and of morvil-render.
class NoteStepTest : public QObject
{
    Q_OBJECT

private slots:
    void stepOfARecord_data();
    void stepOfARecord();
};

void NoteStepTest::stepOfARecord_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<std::optional<NoteStep>>("step");
    QTest::addColumn<QString>("error");
    const auto step = [](int note, qint64 ticks) { return std::optional<NoteStep>(NoteStep{note, ticks}); };
    const std::optional<NoteStep> none;
    QTest::newRow("count + 1 ticks") << "04=10" << step(4, 11) << "";
    QTest::newRow("a count of 0 waits one tick") << "05=0" << step(5, 1) << "";
    QTest::newRow("a negative count waits nothing") << "06=-7" << step(6, 0) << "";
    QTest::newRow("blanks and a sign, as integers are read") << "09= +2" << step(9, 3) << "";
    QTest::newRow("the longest count waits beyond 32 bits") << "17=2147483647" << step(17, 2147483648LL) << "";
    QTest::newRow("a note above the table is no step") << "18=5" << none << "";
    QTest::newRow("a note below the table is no step") << "-1=3" << none << "";
    QTest::newRow("the count is converted first") << "AB=x" << none << "'x' is not a valid integer value";
    QTest::newRow("a one-digit note") << "5=10" << none << "'5=' is not a valid integer value";
    QTest::newRow("an empty count") << "05=" << none << "'' is not a valid integer value";
    QTest::newRow("a count beyond 32 bits") << "00=99999999999" << none << "'99999999999' is not a valid integer value";
}

void NoteStepTest::stepOfARecord()
{
    QFETCH(QString, record);
    QFETCH(std::optional<NoteStep>, step);
    QFETCH(QString, error);
    try {
        const std::optional<NoteStep> made = noteStep(record);
        QVERIFY2(error.isEmpty(), "no error raised");
        QCOMPARE(made.has_value(), step.has_value());
        if (step)
            QVERIFY(*made == *step);
    } catch (const Error &raised) {
        QCOMPARE(raised.text(), error);
    }
}

QTEST_GUILESS_MAIN(NoteStepTest)
#include "tst_notestep.moc"
