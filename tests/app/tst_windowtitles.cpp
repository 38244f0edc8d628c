#include "Application.h"
#include "FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <QTimer>

namespace {

// The title the X server holds for the window: Qt's X11 platform may add to the
// one the window was given.
QString titleInTheXServer(const QWidget *window)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::number(window->winId())});
    xdotool.waitForFinished();
    return QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
}

} // namespace

// Run in an X server of its own: the titles the windows really get, the
// application set up as the program sets it up.
class WindowTitlesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void mainWindowShowsTheApplicationTitle();
    void boxesHaveExactlyTheirCaptions();

private:
    // Runs command with real message boxes; returns each box's title as the X
    // server has it, answering every box with `answer`.
    static QStringList boxTitles(QMessageBox::StandardButton answer, const std::function<void()> &command);
};

QStringList WindowTitlesTest::boxTitles(QMessageBox::StandardButton answer, const std::function<void()> &command)
{
    MessageBox::setAnswerer({});
    QStringList titles;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            titles << titleInTheXServer(box);
            box->done(answer);
        }
    });
    answering.start(20);
    command();
    return titles;
}

void WindowTitlesTest::mainWindowShowsTheApplicationTitle()
{
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    QCOMPARE(titleInTheXServer(f.form.get()), QStringLiteral(".:: MoRvIl ::."));
}

void WindowTitlesTest::boxesHaveExactlyTheirCaptions()
{
    FormFixture f;
    f.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
    // The close question while recording, answered No.
    f.pump.inTick(2, [&] { f.form->close(); });
    QCOMPARE(boxTitles(QMessageBox::No, [&] { f.form->findChild<QAction *>(QStringLiteral("N0"))->trigger(); }),
             QStringList{QStringLiteral("UYARI")});
    // The general error report, for a line that is no note record.
    f.child<QListWidget>("Nota_Listesi")->addItem(QStringLiteral("05=x"));
    f.child<QListWidget>("ListBox1")->addItem(QStringLiteral("LA (05)"));
    QCOMPARE(boxTitles(QMessageBox::Ok, [&] { f.form->findChild<QAction *>(QStringLiteral("Notalaral1"))->trigger(); }),
             QStringList{QStringLiteral(".:: MoRvIl ::.")});
}

QTEST_MAIN(WindowTitlesTest)
#include "tst_windowtitles.moc"
