#include "FormFixture.h"

#include "NoteButton.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

constexpr ColorValue Default = 0x00C2D1D1;
constexpr ColorValue Highlight = 0x00DCE4E4;
constexpr ColorValue Played = 0x00FFFFFF;

} // namespace

// Recording every note with the ticks before it, and playing the list back.
class RecorderPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstNoteWhenIdle();
    void fastNotesRecordTheirTwoDigits();
    void noteRecordsTheTickItArrivedIn();
    void firstNoteAfterStopRecordsZero();
    void stopWhenIdleChangesNothing();
    void captionHoldsTheCount();
    void noteReplacesTheChosenButtonColour();
    void failingSampleRecordsNothingAndTheLoopCountsOn();
    void noOutputDeviceRecordsAndPlaysSilently();
    void showAgainEndsTheRecording();

    void playWaitsCountPlusOneTicks();
    void zeroAndNegativeCounts();
    void notesOutsideTheTableAreSkipped();
    void lineThatIsNoRecordEndsThePlayback_data();
    void lineThatIsNoRecordEndsThePlayback();
    void badLineInTheMiddle();
    void stopDuringAWait();
    void playWhileRecording();
    void noteDuringPlaybackHoldsIt();
    void emptyListOnlyMovesTheFocus();
    void playWithControlsDisabledFails();
    void secondPlayWhilePlayingDoesNothing();
    void failingSampleEndsThePlayback();
    void anyExceptionEndsThePlaybackThroughItsEndSteps();
    void duringPlaybackControlsKeepTheirLookAndIgnoreClicks();

private:
    void press(int note) { action(note)->trigger(); }
    void play() { QTest::mouseClick(m_f->child<QAbstractButton>("SpeedButton6"), Qt::LeftButton); }
    void stopAfter(qint64 ticks)
    {
        m_f->pump.inTick(ticks, [this] { m_f->form->SpeedButton8Click(); });
    }
    QAction *action(int note) const { return m_f->form->findChild<QAction *>(QStringLiteral("N%1").arg(note)); }
    NoteButton *button(int note) const
    {
        const QString name = QStringLiteral("N%1%2").arg(note % 9).arg(note < 9 ? QLatin1Char('N') : QLatin1Char('I'));
        return m_f->form->findChild<NoteButton *>(name);
    }
    QListWidget *records() const { return m_f->child<QListWidget>("Nota_Listesi"); }
    QListWidget *lines() const { return m_f->child<QListWidget>("ListBox1"); }
    QString status() const { return m_f->child<QLabel>("DURUMM")->text(); }
    QStringList items(QListWidget *list) const
    {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    void setList(const QStringList &noteRecords)
    {
        records()->addItems(noteRecords);
        for (const QString &record : noteRecords)
            lines()->addItem(record.left(2));
    }
    std::vector<ColorValue> buttonColors() const
    {
        std::vector<ColorValue> colors;
        for (int note = 0; note < NoteCount; ++note)
            colors.push_back(button(note)->color());
        return colors;
    }
    std::vector<ColorValue> allButtons(ColorValue color, int except = -1, ColorValue exceptColor = 0) const
    {
        std::vector<ColorValue> colors(NoteCount, color);
        if (except >= 0)
            colors[except] = exceptColor;
        return colors;
    }

    std::unique_ptr<FormFixture> m_f;
};

void RecorderPlayerTest::init()
{
    m_f = std::make_unique<FormFixture>();
    m_f->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f->form.get()));
}

void RecorderPlayerTest::cleanup()
{
    m_f.reset();
}

void RecorderPlayerTest::firstNoteWhenIdle()
{
    // Scheduled before the checks, so that a failing one cannot leave the loop running.
    stopAfter(2);
    m_f->pump.inTick(1, [this] {
        QCOMPARE(items(records()), QStringList{"00=0"});
        QCOMPARE(items(lines()), QStringList{"DO (00)"});
        QCOMPARE(m_f->child<QLabel>("Label5")->text(), QStringLiteral("Toplam Nota Sayısı : 1"));
        QCOMPARE(status(), QStringLiteral("Kayıt Yapılıyor..."));
        QCOMPARE(buttonColors(), allButtons(Default, 0, Highlight));
        QVERIFY(!m_f->form->state().RecordStopped);
        QCOMPARE(m_f->form->focusWidget(), m_f->child<QLineEdit>("Sets"));
    });
    press(0);
    QCOMPARE(m_f->playedNotes(), std::vector<int>{0});
}

void RecorderPlayerTest::fastNotesRecordTheirTwoDigits()
{
    m_f->pump.inTick(4, [this] { press(17); });
    stopAfter(4 + 2);
    press(9);
    QCOMPARE(items(records()), (QStringList{"09=0", "17=4"}));
    QCOMPARE(items(lines()), (QStringList{"DO (09)", "# (17)"}));
    QCOMPARE(buttonColors(), allButtons(Default));
}

void RecorderPlayerTest::noteRecordsTheTickItArrivedIn()
{
    m_f->pump.inTick(347, [this] { press(5); });
    m_f->pump.inTick(347 + 1, [this] { press(5); });
    stopAfter(347 + 1 + 3);
    press(4);
    QCOMPARE(items(records()), (QStringList{"04=0", "05=347", "05=1"}));
    // Each wait is measured from the moment its note sounded.
    QCOMPARE(m_f->pump.beginnings(), 3);
    QCOMPARE(items(lines()), (QStringList{"SOL (04)", "LA (05)", "LA (05)"}));
    QCOMPARE(status(), QStringLiteral("Kayıt İşlemi Tamamlandı"));
    QCOMPARE(m_f->form->state().WaitTicks, 0);
}

void RecorderPlayerTest::firstNoteAfterStopRecordsZero()
{
    stopAfter(50);
    press(1);
    stopAfter(2);
    press(2);
    QCOMPARE(items(records()), (QStringList{"01=0", "02=0"}));
}

void RecorderPlayerTest::stopWhenIdleChangesNothing()
{
    button(3)->setColor(0x00112233);
    m_f->form->SpeedButton8Click();
    QCOMPARE(status(), QStringLiteral("Durum :"));
    QCOMPARE(button(3)->color(), ColorValue(0x00112233));
}

void RecorderPlayerTest::captionHoldsTheCount()
{
    m_f->pump.inTick(25, [this] { QCOMPARE(m_f->form->caption(), QStringLiteral("25")); });
    stopAfter(40);
    press(0);
    QCOMPARE(m_f->form->caption(), QStringLiteral("40"));
}

void RecorderPlayerTest::noteReplacesTheChosenButtonColour()
{
    for (int note = 0; note < NoteCount; ++note)
        button(note)->setColor(0x00FF0000);
    stopAfter(1);
    press(12);
    // Stopping resets the colours as well.
    QCOMPARE(buttonColors(), allButtons(Default));
}

void RecorderPlayerTest::failingSampleRecordsNothingAndTheLoopCountsOn()
{
    m_f->pump.inTick(10, [this] {
        m_f->sound.failNextPlay(QStringLiteral("A call to an OS function failed"));
        press(7);
    });
    m_f->pump.inTick(15, [this] { press(8); });
    stopAfter(16);
    press(6);
    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].text, QStringLiteral("A call to an OS function failed."));
    QCOMPARE(m_f->boxes[0].caption, QStringLiteral(".:: MoRvIl ::."));
    QCOMPARE(items(records()), (QStringList{"06=0", "08=15"}));
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{6, 8}));
}

void RecorderPlayerTest::noOutputDeviceRecordsAndPlaysSilently()
{
    m_f->sound.setHasDevice(false);
    m_f->pump.inTick(3, [this] { press(2); });
    stopAfter(4);
    press(1);
    QCOMPARE(items(records()), (QStringList{"01=0", "02=3"}));
    const qint64 before = m_f->pump.ticks();
    play();
    QCOMPARE(m_f->pump.ticks() - before, 1 + 4);
    QVERIFY(m_f->sound.played().empty());
    QVERIFY(m_f->boxes.empty());
}

void RecorderPlayerTest::showAgainEndsTheRecording()
{
    m_f->pump.inTick(5, [this] {
        button(9)->setColor(0x00445566);
        m_f->form->FormShow();
    });
    press(3);
    QCOMPARE(m_f->pump.ticks(), 5);
    QVERIFY(m_f->form->state().RecordStopped);
    QCOMPARE(status(), QStringLiteral("Kayıt Yapılıyor..."));
    QCOMPARE(buttonColors(), allButtons(0x00445566));
    stopAfter(1);
    press(4);
    QCOMPARE(items(records()).last(), QStringLiteral("04=0"));
}

void RecorderPlayerTest::playWaitsCountPlusOneTicks()
{
    setList({"00=0", "04=10"});
    m_f->pump.inTick(1, [this] {
        QVERIFY(m_f->sound.played().empty());
        QCOMPARE(records()->currentRow(), 0);
        QCOMPARE(lines()->currentRow(), -1);
        QCOMPARE(status(), QStringLiteral("Notalar Çalınıyor..."));
        QVERIFY(!m_f->child<QWidget>("Kontroller")->isEnabled());
        QCOMPARE(buttonColors(), allButtons(Default));
    });
    m_f->pump.inTick(2, [this] {
        QCOMPARE(m_f->playedNotes(), std::vector<int>{0});
        QCOMPARE(buttonColors(), allButtons(Default, 0, Played));
        QCOMPARE(records()->currentRow(), 1);
        QCOMPARE(lines()->currentRow(), 0);
        QCOMPARE(m_f->form->caption(), QStringLiteral("1"));
    });
    m_f->pump.inTick(12, [this] { QCOMPARE(m_f->playedNotes(), std::vector<int>{0}); });
    play();

    QCOMPARE(m_f->pump.ticks(), 1 + 11);
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{0, 4}));
    QCOMPARE(status(), QStringLiteral("İşlem Tamamlandı..."));
    QCOMPARE(lines()->currentRow(), 1);
    QCOMPARE(buttonColors(), allButtons(Default));
    QVERIFY(m_f->child<QWidget>("Kontroller")->isEnabled());
    QVERIFY(!m_f->form->state().Playing);
}

void RecorderPlayerTest::zeroAndNegativeCounts()
{
    setList({"05=0", "06=-7", "07= +2"});
    play();
    QCOMPARE(m_f->pump.ticks(), 1 + 0 + 3);
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{5, 6, 7}));
}

void RecorderPlayerTest::notesOutsideTheTableAreSkipped()
{
    setList({"18=5", "-1=3", "03=0"});
    play();
    QCOMPARE(m_f->pump.ticks(), 1);
    // Skipped lines pump nothing: only the played line's step does.
    QCOMPARE(m_f->pump.passesOnce(), 1);
    QCOMPARE(m_f->playedNotes(), std::vector<int>{3});
    QVERIFY(m_f->boxes.empty());
}

void RecorderPlayerTest::lineThatIsNoRecordEndsThePlayback_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("error");
    QTest::newRow("one-digit note") << "5=10" << "'5=' is not a valid integer value.";
    QTest::newRow("empty count") << "05=" << "'' is not a valid integer value.";
    QTest::newRow("letters") << "AB=3" << "'AB' is not a valid integer value.";
    QTest::newRow("count beyond 32 bits") << "00=99999999999" << "'99999999999' is not a valid integer value.";
    QTest::newRow("hexadecimal count") << "00=$10" << "'$10' is not a valid integer value.";
    QTest::newRow("count is converted first") << "XY=z" << "'z' is not a valid integer value.";
    QTest::newRow("short line") << "07" << "'' is not a valid integer value.";
}

void RecorderPlayerTest::lineThatIsNoRecordEndsThePlayback()
{
    QFETCH(QString, line);
    QFETCH(QString, error);
    setList({line});
    play();
    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].text, error);
    QCOMPARE(m_f->boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(status(), QStringLiteral("İşlem Tamamlandı..."));
    QVERIFY(m_f->child<QWidget>("Kontroller")->isEnabled());
    QVERIFY(!m_f->form->state().Playing);
    QCOMPARE(records()->currentRow(), 0);
}

void RecorderPlayerTest::badLineInTheMiddle()
{
    setList({"01=2", "02=0", "xx", "03=0"});
    play();
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{1, 2}));
    QCOMPARE(records()->currentRow(), 2);
    QVERIFY(m_f->child<QWidget>("Kontroller")->isEnabled());

    records()->item(2)->setText(QStringLiteral("04=0"));
    play();
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{1, 2, 1, 2, 4, 3}));
}

void RecorderPlayerTest::stopDuringAWait()
{
    setList({"00=0", "01=100", "02=0"});
    m_f->pump.inTick(30, [this] {
        m_f->form->SpeedButton7Click();
        QVERIFY(!m_f->form->state().Playing);
        QCOMPARE(buttonColors(), allButtons(Default));
    });
    play();
    QCOMPARE(m_f->pump.ticks(), 30);
    QCOMPARE(m_f->playedNotes(), std::vector<int>{0});
    QVERIFY(m_f->child<QWidget>("Kontroller")->isEnabled());
    QCOMPARE(status(), QStringLiteral("İşlem Tamamlandı..."));
}

void RecorderPlayerTest::playWhileRecording()
{
    m_f->pump.inTick(4, [this] { press(1); });
    m_f->pump.inTick(4 + 2, [this] {
        play();
        QCOMPARE(m_f->playedNotes(), (std::vector<int>{0, 1, 0, 1}));
    });
    press(0);
    QCOMPARE(status(), QStringLiteral("İşlem Tamamlandı..."));
    QVERIFY(m_f->form->state().RecordStopped);
    // The recording ended without its own status or colour reset; the playback
    // took the count of ticks 1 + (4 + 1), and no recorder tick ran after it.
    QCOMPARE(m_f->pump.ticks(), 4 + 2 + 1 + 5);
}

void RecorderPlayerTest::noteDuringPlaybackHoldsIt()
{
    setList({"00=0", "01=10"});
    m_f->pump.inTick(3, [this] { press(8); });
    m_f->pump.inTick(3 + 20, [this] { m_f->form->SpeedButton8Click(); });
    play();
    // The recording's 20 ticks ran inside the third tick of the wait for line 1.
    QCOMPARE(m_f->pump.ticks(), 1 + 2 + 20 + 9);
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{0, 8, 1}));
    QCOMPARE(items(records()), (QStringList{"00=0", "01=10", "08=0"}));
}

void RecorderPlayerTest::emptyListOnlyMovesTheFocus()
{
    play();
    QCOMPARE(status(), QStringLiteral("Durum :"));
    QCOMPARE(m_f->form->focusWidget(), lines());
    QVERIFY(!m_f->form->state().Playing);
}

void RecorderPlayerTest::playWithControlsDisabledFails()
{
    setList({"00=0"});
    m_f->child<QWidget>("Kontroller")->setEnabled(false);
    play();
    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].text, QStringLiteral("Cannot focus a disabled or invisible window."));
    QCOMPARE(status(), QStringLiteral("Durum :"));
    QVERIFY(m_f->sound.played().empty());
}

void RecorderPlayerTest::secondPlayWhilePlayingDoesNothing()
{
    setList({"00=3", "01=3"});
    m_f->pump.inTick(2, [this] { play(); });
    play();
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{0, 1}));
    QCOMPARE(m_f->pump.ticks(), 8);
}

void RecorderPlayerTest::failingSampleEndsThePlayback()
{
    setList({"00=0", "01=0", "02=0"});
    m_f->pump.inTick(2, [this] { m_f->sound.failNextPlay(QStringLiteral("System Error.  Code: 5.\nAccess is denied")); });
    play();
    QCOMPARE(m_f->playedNotes(), std::vector<int>{0});
    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].text, QStringLiteral("System Error.  Code: 5.\nAccess is denied."));
    QVERIFY(m_f->child<QWidget>("Kontroller")->isEnabled());
    QCOMPARE(status(), QStringLiteral("İşlem Tamamlandı..."));
}

void RecorderPlayerTest::anyExceptionEndsThePlaybackThroughItsEndSteps()
{
    setList({"00=0", "01=0"});
    m_f->pump.inTick(2, [this] { m_f->sound.failNextPlay(std::make_exception_ptr(std::bad_alloc())); });
    play();
    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].text, QStringLiteral("std::bad_alloc."));
    QCOMPARE(m_f->boxes[0].caption, QStringLiteral(".:: MoRvIl ::."));
    QVERIFY(m_f->child<QWidget>("Kontroller")->isEnabled());
    QVERIFY(!m_f->form->state().Playing);
    QCOMPARE(status(), QStringLiteral("İşlem Tamamlandı..."));
    play();
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{0, 0, 1}));
}

namespace {

// How many pixels of the image within rect have this colour, give or take the
// blending at the edges of anti-aliased text.
int pixelsOf(const QImage &image, const QRect &rect, const QColor &color)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor seen = image.pixelColor(x, y);
            count += std::max({std::abs(seen.red() - color.red()), std::abs(seen.green() - color.green()),
                               std::abs(seen.blue() - color.blue())}) <= 32;
        }
    }
    return count;
}

} // namespace

void RecorderPlayerTest::duringPlaybackControlsKeepTheirLookAndIgnoreClicks()
{
    setList({"00=0", "04=10", "05=0"});
    const QColor caption(0x00, 0x57, 0xAE);
    const QPalette normal = lines()->palette();
    m_f->pump.inTick(4, [&] {
        QVERIFY(!m_f->child<QWidget>("Kontroller")->isEnabled());
        // Every caption in its blue, the played button's on white too.
        const QImage window = m_f->form->grab().toImage();
        for (int note = 0; note < NoteCount; ++note) {
            const QRect face(button(note)->mapTo(m_f->form.get(), QPoint(0, 0)), button(note)->size());
            QVERIFY2(pixelsOf(window, face, caption) > 5, qPrintable(button(note)->objectName()));
        }
        QVERIFY(pixelsOf(window, QRect(button(0)->mapTo(m_f->form.get(), QPoint(0, 0)), button(0)->size()), Qt::white) >
                100);
        auto *heading = m_f->child<QWidget>("Label1");
        QVERIFY(pixelsOf(heading->grab().toImage(), heading->rect(),
                         normal.color(QPalette::Active, QPalette::WindowText)) > 5);
        // The list shows the line still sounding selected, in the normal colours.
        const QImage list = lines()->viewport()->grab().toImage();
        const QRect selected = lines()->visualItemRect(lines()->item(0));
        const QRect unselected = lines()->visualItemRect(lines()->item(1));
        QVERIFY(pixelsOf(list, selected, normal.color(QPalette::Active, QPalette::Highlight)) > 100);
        QVERIFY(pixelsOf(list, selected, normal.color(QPalette::Active, QPalette::HighlightedText)) > 5);
        QVERIFY(pixelsOf(list, unselected, normal.color(QPalette::Active, QPalette::Base)) > 100);
        QVERIFY(pixelsOf(list, unselected, normal.color(QPalette::Active, QPalette::Text)) > 5);

        QTest::mouseClick(button(3), Qt::LeftButton);
        QTest::mouseClick(lines()->viewport(), Qt::LeftButton, {}, unselected.center());
        QCOMPARE(records()->count(), 3);
        QCOMPARE(lines()->currentRow(), 0);
    });
    play();
    QCOMPARE(m_f->playedNotes(), (std::vector<int>{0, 4, 5}));
}

QTEST_MAIN(RecorderPlayerTest)
#include "tst_recorderplayer.moc"
