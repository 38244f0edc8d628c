#include "FormFixture.h"
#include "NativeScanCode.h"

#include "ProgramInfo.h"
#include "Tabtx.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QToolButton>

namespace {

// The main window shown with the About window handed over, created after it as the program does.
struct AboutFixture : FormFixture
{
    AboutFixture()
    {
        form->setAboutWindow(abtx);
        form->show();
        // Every action of the main window that runs is noted by name.
        for (QAction *action : form->actions())
            QObject::connect(action, &QAction::triggered, [this, action] { ran.append(action->objectName()); });
    }

    // Shows the About window from its title-bar button and waits until it is active.
    bool showAbout()
    {
        QTest::mouseClick(child<QToolButton>("SpeedButton5"), Qt::LeftButton);
        return QTest::qWaitForWindowActive(&abtx);
    }

    QLabel *label() const { return abtx.findChild<QLabel *>(QStringLiteral("Label2")); }

    Tabtx abtx;
    QStringList ran;
};

// Visible windows of the program other than the main window.
QWidgetList otherVisibleWindows(const QWidget *mainWindow)
{
    QWidgetList windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != mainWindow && window->isVisible())
            windows.append(window);
    }
    return windows;
}

} // namespace

// The About window: its look, showing it, and what hides it.
class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void createdHiddenAndLaidOutAsDesigned();
    void labelNamesTheAddressesInNavyOnWhite();
    void showingAgainKeepsOneWindowInFront();
    void clicks_data();
    void clicks();
    void keys_data();
    void keys();
    void noteKeyRecordsItsNote();
    void minimisingTakesTheCardAlong();
};

void AboutWindowTest::createdHiddenAndLaidOutAsDesigned()
{
    AboutFixture f;
    QVERIFY(!f.abtx.isVisible());
    QCOMPARE(f.abtx.objectName(), QStringLiteral("abtx"));
    QCOMPARE(f.abtx.windowTitle(), QStringLiteral("abtx"));
    QVERIFY(f.abtx.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(f.abtx.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(f.abtx.size(), QSize(221, 94));
    const QRect screen = f.abtx.screen()->geometry();
    QCOMPARE(f.abtx.pos(), QPoint((screen.width() - 221) / 2, (screen.height() - 94) / 2));
    QCOMPARE(f.abtx.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(f.abtx.font().pixelSize(), 11);
    QVERIFY(!f.abtx.font().bold());

    QVERIFY(f.showAbout());
    QCOMPARE(f.abtx.size(), QSize(221, 94));
    QCOMPARE(f.label()->pos(), QPoint(17, 7));
    // Sized to its text, and the text fits the card.
    QCOMPARE(f.label()->size(), f.label()->sizeHint());
    QVERIFY(f.abtx.rect().contains(f.label()->geometry()));
}

void AboutWindowTest::labelNamesTheAddressesInNavyOnWhite()
{
    AboutFixture f;
    QVERIFY(f.showAbout());
    QLabel *label = f.label();
    QCOMPARE(label->text(), QString::fromUtf8(ProgramInfo::WebSite) + QStringLiteral("\n") +
                                QString::fromUtf8(ProgramInfo::Forum) + QStringLiteral("\n\n") +
                                QString::fromUtf8(ProgramInfo::Email));
    QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(label->font().family(), QStringLiteral("Arial"));
    QCOMPARE(label->font().pixelSize(), 16);
    QVERIFY(label->font().bold());

    const QImage card = f.abtx.grab().toImage();
    QCOMPARE(card.pixelColor(1, 1), QColor(Qt::white));
    QCOMPARE(card.pixelColor(220, 93), QColor(Qt::white));
    // The label is transparent: white between the lines, navy in the letters, nothing else.
    const QRect text = label->geometry();
    int navy = 0;
    for (int y = text.top(); y <= text.bottom(); ++y) {
        for (int x = text.left(); x <= text.right(); ++x) {
            const QColor seen = card.pixelColor(x, y);
            navy += seen == QColor(0x00, 0x00, 0x80) ? 1 : 0;
            QVERIFY2(seen.red() == seen.green() && seen.blue() >= seen.red(),
                     qPrintable(QStringLiteral("%1 at %2,%3").arg(seen.name()).arg(x).arg(y)));
        }
    }
    QVERIFY(navy > 100);
    // The third line is empty.
    const int emptyLine = text.top() + 5 * text.height() / 8;
    for (int x = text.left(); x <= text.right(); ++x)
        QCOMPARE(card.pixelColor(x, emptyLine), QColor(Qt::white));
}

void AboutWindowTest::showingAgainKeepsOneWindowInFront()
{
    AboutFixture f;
    QVERIFY(f.showAbout());
    QCOMPARE(otherVisibleWindows(f.form.get()), QWidgetList{&f.abtx});

    f.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
    QVERIFY(f.showAbout());
    QCOMPARE(otherVisibleWindows(f.form.get()), QWidgetList{&f.abtx});
    QVERIFY(f.form->isVisible());

    // The menu item shows the same window.
    f.abtx.hide();
    f.form->findChild<QAction *>(QStringLiteral("DierProgramlar1"))->trigger();
    QVERIFY(QTest::qWaitForWindowActive(&f.abtx));
    QCOMPARE(otherVisibleWindows(f.form.get()), QWidgetList{&f.abtx});
}

void AboutWindowTest::clicks_data()
{
    QTest::addColumn<bool>("onLabel");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("hides");
    QTest::newRow("on the label") << true << Qt::LeftButton << true;
    QTest::newRow("beside the label") << false << Qt::LeftButton << true;
    QTest::newRow("right button") << true << Qt::RightButton << false;
}

void AboutWindowTest::clicks()
{
    QFETCH(bool, onLabel);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, hides);
    AboutFixture f;
    QVERIFY(f.showAbout());
    if (onLabel)
        QTest::mouseClick(f.label(), button, {}, f.label()->rect().center());
    else
        QTest::mouseClick(&f.abtx, button, {}, QPoint(5, 88));
    QCOMPARE(f.abtx.isVisible(), !hides);
    QVERIFY(f.ran.isEmpty());
}

void AboutWindowTest::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<quint32>("keycode"); // X keycode: the key's place on the keyboard
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<bool>("stays");

    const Qt::KeyboardModifiers none;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << 9u << QStringList() << false;
    QTest::newRow("Z plays no note") << int(Qt::Key_Z) << none << 52u << QStringList() << false;
    QTest::newRow("Shift with a note key")
        << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 38u << QStringList() << false;
    QTest::newRow("Ctrl+S of the menu") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::ControlModifier) << 39u
                                        << QStringList() << false;
    QTest::newRow("F5 of the menu") << int(Qt::Key_F5) << none << 71u << QStringList() << false;
    QTest::newRow("A, note 0") << int(Qt::Key_A) << none << 38u << QStringList{"N0"} << true;
    QTest::newRow("I, note 16") << int(Qt::Key_I) << none << 31u << QStringList{"N16"} << true;
    QTest::newRow("Ctrl+Numpad 5, zoom 125 %")
        << int(Qt::Key_5) << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::KeypadModifier) << 84u
        << QStringList{"MN125"} << true;
}

// Keys reach the About window as the platform delivers them: the shortcuts of the
// active window first, then the window itself with the key's place on the keyboard.
void AboutWindowTest::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(quint32, keycode);
    QFETCH(QStringList, runs);
    QFETCH(bool, stays);
    AboutFixture f;
    QVERIFY(f.showAbout());
    // A note starts a recording; its loop ends at its first tick.
    f.pump.inTick(1, [&f] { f.form->SpeedButton8Click(); });

    if (!qt_sendShortcutOverrideEvent(&f.abtx, 0, key, modifiers)) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, nativeScanCode(keycode), 0, 0);
        QApplication::sendEvent(&f.abtx, &press);
    }
    QCOMPARE(f.ran, runs);
    QCOMPARE(f.abtx.isVisible(), stays);
    QVERIFY(f.form->isVisible());
    QVERIFY(f.boxes.empty());
}

void AboutWindowTest::noteKeyRecordsItsNote()
{
    AboutFixture f;
    QVERIFY(f.showAbout());
    f.pump.inTick(7, [&f] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, nativeScanCode(39), 0, 0);
        QApplication::sendEvent(&f.abtx, &press);
        f.pump.inTick(1, [&f] { f.form->SpeedButton8Click(); });
    });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, nativeScanCode(38), 0, 0);
    QApplication::sendEvent(&f.abtx, &press);

    QCOMPARE(f.playedNotes(), (std::vector<int>{0, 1}));
    auto *records = f.child<QListWidget>("Nota_Listesi");
    QCOMPARE(records->count(), 2);
    QCOMPARE(records->item(0)->text(), QStringLiteral("00=0"));
    QCOMPARE(records->item(1)->text(), QStringLiteral("01=7"));
    QVERIFY(f.abtx.isVisible());
    QCOMPARE(QApplication::activeWindow(), &f.abtx);
}

// The whole application leaves the screen and comes back: the card with the window.
void AboutWindowTest::minimisingTakesTheCardAlong()
{
    AboutFixture f;
    QVERIFY(f.showAbout());
    QTest::mouseClick(f.child<QToolButton>("Simg"), Qt::LeftButton);
    QVERIFY(f.form->isMinimized());
    QVERIFY(!f.abtx.isVisible());
    f.form->showNormal();
    QTRY_VERIFY(f.abtx.isVisible());

    // Hidden before, the card stays hidden.
    f.abtx.hide();
    QTest::mouseClick(f.child<QToolButton>("Simg"), Qt::LeftButton);
    f.form->showNormal();
    QTRY_VERIFY(!f.form->isMinimized());
    QVERIFY(!f.abtx.isVisible());
}

QTEST_MAIN(AboutWindowTest)
#include "tst_aboutwindow.moc"
