#include "FormFixture.h"

#include "NoteButton.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>

// Start, show and close of the main window.
class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void beforeAnyNote();
    void showEndsTheStartAndRestoresButtonColours();
    void showSetsTheHintDelayAndTheZoomKeys();
    void errorInsideTheShowIsReportedAndTheWindowShows();
    void noteButtonsRunTheirActions();
    void noteActionsCarryTheirNotes();

    void closeWhenIdleSavesAndEnds();
    void closeWhileRecordingAnsweredNoKeepsTheWindowAndSaves();
    void closeWhileRecordingAnsweredYesEndsAfterTheLoop();
    void closeDuringPlaybackEndsWhenThePlaybackIsOver();
    void kaptClosesThroughTheSameHandling();
    void errorBoxAfterACloseDuringPlaybackIsShown();
    void soundStopsBeforeTheWindowsSamplesGo();

private:
    // Runs the application's main loop with `start` as its first event; returns
    // the loop's exit code, or -1 when nothing ended it.
    static int runMainLoop(const std::function<void()> &start);
};

int MainWindowTest::runMainLoop(const std::function<void()> &start)
{
    QTimer::singleShot(0, start);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    watchdog.start(10000);
    return QApplication::exec();
}

void MainWindowTest::beforeAnyNote()
{
    FormFixture f;
    f.form->show();
    QCOMPARE(f.child<QLabel>("Label5")->text(), QStringLiteral("Listedeki Nota Sayısı : ?"));
    QCOMPARE(f.child<QLabel>("DURUMM")->text(), QStringLiteral("Durum :"));
    QVERIFY(f.form->state().RecordStopped);
    QVERIFY(f.boxes.empty());
}

void MainWindowTest::showEndsTheStartAndRestoresButtonColours()
{
    FormFixture f;
    QVERIFY(!f.form->state().RecordStopped);
    f.child<NoteButton>("N0I")->setColor(0x00123456);
    f.child<NoteButton>("N5N")->setColor(0x00FFFFFF);
    f.form->show();
    QVERIFY(f.form->state().RecordStopped);
    QVERIFY(f.form->state().ScaleApplied);
    QCOMPARE(f.form->state().NoteButtonColor, ColorValue(0x00123456));
    for (NoteButton *button : f.form->findChildren<NoteButton *>(QRegularExpression(QStringLiteral("^N\\d[IN]$"))))
        QCOMPARE(button->color(), ColorValue(0x00123456));
}

void MainWindowTest::showSetsTheHintDelayAndTheZoomKeys()
{
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 85);
    // 110 % comes before 125 %.
    const std::pair<const char *, Qt::Key> zoomKeys[] = {
        {"MN80", Qt::Key_1},  {"MN90", Qt::Key_2},  {"MN100", Qt::Key_3}, {"MN110", Qt::Key_4},
        {"MN125", Qt::Key_5}, {"MN150", Qt::Key_6}, {"MN200", Qt::Key_7}};
    for (const auto &[name, key] : zoomKeys) {
        auto *zoom = f.form->findChild<QAction *>(QString::fromLatin1(name));
        QSignalSpy triggered(zoom, &QAction::triggered);
        QTest::keyClick(f.form.get(), key, Qt::ControlModifier | Qt::KeypadModifier);
        QVERIFY2(triggered.count() == 1, name);
        // The digit of the main keyboard is no zoom key.
        QTest::keyClick(f.form.get(), key, Qt::ControlModifier);
        QVERIFY2(triggered.count() == 1, name);
    }
}

// A zoom that fails while the stored zoom is applied: the show reports it and goes on.
void MainWindowTest::errorInsideTheShowIsReportedAndTheWindowShows()
{
    FormFixture f([](QSettings &stored) { stored.setValue(QStringLiteral("Gorunum"), QStringLiteral("80")); });
    QObject::connect(f.form->findChild<QAction *>(QStringLiteral("MN80")), &QAction::triggered,
                     [] { throw std::runtime_error("the zoom failed"); });
    f.form->show();
    QVERIFY(f.form->isVisible());
    QCOMPARE(f.boxes.size(), size_t(1));
    QCOMPARE(f.boxes[0].text, QStringLiteral("the zoom failed."));
    QCOMPARE(f.boxes[0].caption, QStringLiteral(".:: MoRvIl ::."));
}

void MainWindowTest::noteButtonsRunTheirActions()
{
    FormFixture f;
    f.form->show();
    f.pump.inTick(1, [&] { f.form->SpeedButton8Click(); });
    QTest::mouseClick(f.child<NoteButton>("N4I"), Qt::LeftButton);
    f.pump.inTick(1, [&] { f.form->SpeedButton8Click(); });
    QTest::mouseClick(f.child<NoteButton>("N8N"), Qt::LeftButton);
    QCOMPARE(f.playedNotes(), (std::vector<int>{13, 8}));
}

void MainWindowTest::noteActionsCarryTheirNotes()
{
    FormFixture f;
    const char *names[] = {"DO", "RE", "Mİ", "FA", "SOL", "LA", "Sİ", "DO", "#"};
    for (int note = 0; note < NoteCount; ++note) {
        auto *action = f.form->findChild<QAction *>(QStringLiteral("N%1").arg(note));
        QVERIFY(action);
        QCOMPARE(action->data().toInt(), note);
        QCOMPARE(action->text(), QString::fromUtf8(names[note % 9]));
        const auto *button = f.child<NoteButton>(QStringLiteral("N%1%2")
                                                     .arg(note % 9)
                                                     .arg(note < 9 ? QLatin1Char('N') : QLatin1Char('I'))
                                                     .toLatin1()
                                                     .constData());
        QCOMPARE(button->text(), action->text());
    }
}

void MainWindowTest::closeWhenIdleSavesAndEnds()
{
    FormFixture f;
    f.form->show();
    const int exitCode = runMainLoop([&] { f.form->close(); });
    QCOMPARE(exitCode, 0);
    QVERIFY(f.boxes.empty());
    QSettings saved(f.settings->fileName(), QSettings::IniFormat);
    QCOMPARE(saved.value(QStringLiteral("MorvilAyar/Klavye")).toString(), QStringLiteral("0"));
    QCOMPARE(saved.value(QStringLiteral("MorvilAyar/Gorunum")).toString(), QStringLiteral("0"));
    QCOMPARE(saved.value(QStringLiteral("MorvilAyar/artirma")).toString(), QStringLiteral("500"));
}

void MainWindowTest::closeWhileRecordingAnsweredNoKeepsTheWindowAndSaves()
{
    FormFixture f;
    f.form->show();
    f.answer = QMessageBox::No;
    f.pump.inTick(10, [&] { f.form->close(); });
    f.form->findChild<QAction *>(QStringLiteral("N0"))->trigger();

    QCOMPARE(f.boxes.size(), size_t(1));
    QCOMPARE(f.boxes[0].caption, QStringLiteral("UYARI"));
    QCOMPARE(f.boxes[0].text, QStringLiteral("Şu An Kayıt Modundasınız.\r\rÇıkmak istediğinizden emin misiniz?"));
    QCOMPARE(f.boxes[0].icon, QMessageBox::Warning);
    QCOMPARE(f.boxes[0].buttons, QMessageBox::Yes | QMessageBox::No);
    // The loop saw the stop at its next tick.
    QCOMPARE(f.pump.ticks(), 10);
    QVERIFY(f.form->state().RecordStopped);
    QVERIFY(f.form->isVisible());
    QCOMPARE(f.child<QLabel>("DURUMM")->text(), QStringLiteral("Kayıt Yapılıyor..."));
    QCOMPARE(f.child<NoteButton>("N0N")->color(), ColorValue(0x00DCE4E4));
    QVERIFY(QFile::exists(f.settings->fileName()));
}

void MainWindowTest::closeWhileRecordingAnsweredYesEndsAfterTheLoop()
{
    FormFixture f;
    f.form->show();
    f.answer = QMessageBox::Yes;
    bool loopReturned = false;
    f.pump.inTick(3, [&] { f.form->close(); });
    const int exitCode = runMainLoop([&] {
        f.form->findChild<QAction *>(QStringLiteral("N0"))->trigger();
        loopReturned = true;
    });
    QCOMPARE(exitCode, 0);
    QVERIFY(loopReturned);
    QCOMPARE(f.boxes.size(), size_t(1));
    QVERIFY(QFile::exists(f.settings->fileName()));
}

void MainWindowTest::closeDuringPlaybackEndsWhenThePlaybackIsOver()
{
    FormFixture f;
    f.form->show();
    auto *records = f.child<QListWidget>("Nota_Listesi");
    auto *lines = f.child<QListWidget>("ListBox1");
    records->addItems({QStringLiteral("00=5"), QStringLiteral("04=5"), QStringLiteral("08=5")});
    lines->addItems({QStringLiteral("DO (00)"), QStringLiteral("SOL (04)"), QStringLiteral("# (08)")});
    bool savedDuringPlayback = false;
    f.pump.inTick(3, [&] {
        f.form->close();
        savedDuringPlayback = QFile::exists(f.settings->fileName());
    });
    const int exitCode = runMainLoop([&] { f.form->SpeedButton6Click(); });
    QCOMPARE(exitCode, 0);
    QVERIFY(savedDuringPlayback);
    QVERIFY(f.boxes.empty());
    QCOMPARE(f.playedNotes(), (std::vector<int>{0, 4, 8}));
}

void MainWindowTest::errorBoxAfterACloseDuringPlaybackIsShown()
{
    FormFixture f;
    MessageBox::setAnswerer({});
    f.form->show();
    f.child<QListWidget>("Nota_Listesi")->addItems({QStringLiteral("00=5"), QStringLiteral("05=x")});
    f.child<QListWidget>("ListBox1")->addItems({QStringLiteral("DO (00)"), QStringLiteral("LA (05)")});
    f.pump.inTick(3, [&] { f.form->close(); });
    QStringList shown;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->done(QMessageBox::Ok);
        }
    });
    answering.start(10);
    const int exitCode = runMainLoop([&] { f.form->findChild<QAction *>(QStringLiteral("Notalaral1"))->trigger(); });
    QCOMPARE(exitCode, 0);
    QCOMPARE(shown, QStringList{QStringLiteral("'x' is not a valid integer value.")});
}

void MainWindowTest::kaptClosesThroughTheSameHandling()
{
    FormFixture f;
    f.form->show();
    f.answer = QMessageBox::No;
    f.pump.inTick(2, [&] { QTest::mouseClick(f.child<QToolButton>("Kapt"), Qt::LeftButton); });
    f.form->findChild<QAction *>(QStringLiteral("N3"))->trigger();
    QCOMPARE(f.boxes.size(), size_t(1));
    QCOMPARE(f.boxes[0].caption, QStringLiteral("UYARI"));
    QVERIFY(f.form->isVisible());
}

void MainWindowTest::soundStopsBeforeTheWindowsSamplesGo()
{
    FormFixture f;
    f.form->show();
    f.pump.inTick(1, [&] { f.form->SpeedButton8Click(); });
    f.form->findChild<QAction *>(QStringLiteral("N5"))->trigger();
    QCOMPARE(f.sound.sounding().data(), f.form->sampleBank().pcm(5).data());
    f.form.reset();
    QVERIFY(f.sound.sounding().empty());
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
