#include "FormFixture.h"

#include "NoteButton.h"
#include "Panel.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

// The title bar, folding, minimising, the list's show/hide, zooming and centring.
// Runs on two screens side by side: 1024 x 768 at 0,0 and 1280 x 1024 at 1920,0.
class WindowChromeTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listHeightsAtEveryLevel_data();
    void listHeightsAtEveryLevel();
    void listAtExactlyTheHiddenHeightGrows();
    void foldAndUnfoldAtHundred();
    void foldOnlyAtHundred();
    void titleBarControlsKeepTheirPresses();
    void doubleClickOnTheButtonAreaTogglesTheList();
    void draggingTheTitleBarMovesTheWindow();

    void zoomShortcutsScaleAndCentre_data();
    void zoomShortcutsScaleAndCentre();
    void sameLevelAgainRecentresAtTheSameSize();
    void storedHundredZoomsNothingUntilALevelIsChosen();
    void storedZoomIsAppliedAtTheFirstShowAndCentred();
    void centresOnTheWindowsOwnScreen();
    void zoomRunsTheShowSetUpAgain();

    void minimiseEndsARecording();
    void minimiseWhenIdleOnlyMinimises();
    void exitItemClosesThroughTheCloseHandling();
    void activationColoursOnlyTheTitleBar();

private:
    void showForm(const QString &storedZoom = QString());
    void trigger(const char *action) { m_f->form->findChild<QAction *>(QString::fromLatin1(action))->trigger(); }
    void doubleClick(const char *control, QPoint at)
    {
        QTest::mouseDClick(m_f->child<QWidget>(control), Qt::LeftButton, {}, at);
    }
    void foldByTitleBar() { doubleClick("BaslikC", FreeTitleBar); }
    int height() const { return m_f->form->height(); }
    QString zoomLabel() const { return m_f->child<QLabel>("Label6")->text(); }
    QString status() const { return m_f->child<QLabel>("DURUMM")->text(); }
    QPoint centredOnTheLeftScreen() const
    {
        const QSize size = m_f->form->size();
        return QPoint((1024 - size.width()) / 2, (768 - size.height()) / 2);
    }
    // Plays a note and runs `during` inside the recorder's second tick.
    void whileRecording(const std::function<void()> &during)
    {
        m_f->pump.inTick(2, during);
        trigger("N0");
    }

    static constexpr QPoint FreeTitleBar{250, 10};
    static constexpr QPoint FreeButtonArea{368, 40};

    std::unique_ptr<FormFixture> m_f;
};

void WindowChromeTest::init()
{
    QCOMPARE(QGuiApplication::screens().size(), 2);
}

void WindowChromeTest::cleanup()
{
    m_f.reset();
}

void WindowChromeTest::showForm(const QString &storedZoom)
{
    m_f = std::make_unique<FormFixture>([&](QSettings &settings) {
        if (!storedZoom.isNull())
            settings.setValue(QStringLiteral("Gorunum"), storedZoom);
    });
    m_f->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_f->form.get()));
}

void WindowChromeTest::listHeightsAtEveryLevel_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<int>("shown");
    QTest::newRow("80") << QByteArray("MN80") << 124 << 322;
    QTest::newRow("90") << QByteArray("MN90") << 139 << 363;
    QTest::newRow("100") << QByteArray("MN100") << 154 << 400;
    QTest::newRow("110") << QByteArray("MN110") << 169 << 445;
    QTest::newRow("125") << QByteArray("MN125") << 192 << 500;
    QTest::newRow("150") << QByteArray("MN150") << 230 << 602;
    QTest::newRow("200") << QByteArray("MN200") << 306 << 800;
}

void WindowChromeTest::listHeightsAtEveryLevel()
{
    QFETCH(QByteArray, action);
    QFETCH(int, hidden);
    QFETCH(int, shown);
    showForm();
    trigger(action.constData());
    QCOMPARE(height(), hidden);
    const int top = m_f->form->y();
    trigger("ListeGizleGster1");
    QCOMPARE(height(), shown);
    QCOMPARE(m_f->form->y(), top);
    trigger("ListeGizleGster1");
    QCOMPARE(height(), hidden);
}

void WindowChromeTest::listAtExactlyTheHiddenHeightGrows()
{
    showForm();
    trigger("MN80");
    m_f->form->setFixedHeight(124);
    trigger("ListeGizleGster1");
    QCOMPARE(height(), 322);
    m_f->form->setFixedHeight(125);
    trigger("ListeGizleGster1");
    QCOMPARE(height(), 124);
}

void WindowChromeTest::foldAndUnfoldAtHundred()
{
    showForm();
    foldByTitleBar();
    QCOMPARE(height(), 24);
    QCOMPARE(m_f->form->state().CompactRestoreHeight, QStringLiteral("154"));
    // The title bar and one line of the button area stay.
    QCOMPARE(m_f->child<QWidget>("Kontroller")->height(), 1);
    foldByTitleBar();
    QCOMPARE(height(), 154);

    trigger("mnbk");
    trigger("ListeGizleGster1");
    QCOMPARE(height(), 400);
    foldByTitleBar();
    QCOMPARE(height(), 24);
    trigger("mnbk");
    QCOMPARE(height(), 400);
}

void WindowChromeTest::foldOnlyAtHundred()
{
    showForm();
    for (const char *level : {"MN125", "MN80"}) {
        trigger(level);
        const int zoomed = height();
        foldByTitleBar();
        trigger("mnbk");
        QCOMPARE(height(), zoomed);
    }
}

void WindowChromeTest::titleBarControlsKeepTheirPresses()
{
    showForm();
    const QPoint before = m_f->form->pos();
    for (const char *control : {"DURUMM", "Bevel4"}) {
        doubleClick(control, QPoint(2, 5));
        QTest::mousePress(m_f->child<QWidget>(control), Qt::LeftButton, {}, QPoint(2, 5));
        QTest::mouseMove(m_f->child<QWidget>(control), QPoint(40, 12));
        QTest::mouseRelease(m_f->child<QWidget>(control), Qt::LeftButton, {}, QPoint(40, 12));
    }
    QCOMPARE(height(), 154);
    QCOMPARE(m_f->form->pos(), before);
}

void WindowChromeTest::doubleClickOnTheButtonAreaTogglesTheList()
{
    showForm();
    doubleClick("N4I", QPoint(5, 5));
    doubleClick("Label1", QPoint(5, 5));
    doubleClick("Bevel1", QPoint(5, 1));
    doubleClick("Label6", QPoint(5, 5));
    QCOMPARE(height(), 154);
    doubleClick("Kontroller", FreeButtonArea);
    QCOMPARE(height(), 400);
    doubleClick("ListBox1", QPoint(5, 5));
    QCOMPARE(height(), 400);
    doubleClick("Kontroller", FreeButtonArea);
    QCOMPARE(height(), 154);
}

// Without a window manager the window follows the mouse itself, for a press of
// any button, until the buttons are released.
void WindowChromeTest::draggingTheTitleBarMovesTheWindow()
{
    showForm();
    auto *titleBar = m_f->child<Panel>("BaslikC");
    const auto send = [titleBar](QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(titleBar->mapFromGlobal(global)), QPointF(global), button, held, {});
        QApplication::sendEvent(titleBar, &event);
    };
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        const QPoint start = m_f->form->pos();
        const QPoint press = titleBar->mapToGlobal(FreeTitleBar);
        send(QEvent::MouseButtonPress, press, button, button);
        send(QEvent::MouseMove, press + QPoint(40, 7), Qt::NoButton, button);
        send(QEvent::MouseMove, press + QPoint(100, 0), Qt::NoButton, button);
        QCOMPARE(m_f->form->pos(), start + QPoint(100, 0));
        send(QEvent::MouseButtonRelease, press + QPoint(100, 0), button, Qt::NoButton);
        send(QEvent::MouseMove, press + QPoint(150, 30), Qt::NoButton, Qt::NoButton);
        QCOMPARE(m_f->form->pos(), start + QPoint(100, 0));
    }
}

void WindowChromeTest::zoomShortcutsScaleAndCentre_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Ctrl+Numpad 1") << Qt::Key_1 << QStringLiteral("MN80") << QSize(300, 124);
    QTest::newRow("Ctrl+Numpad 2") << Qt::Key_2 << QStringLiteral("MN90") << QSize(338, 139);
    QTest::newRow("Ctrl+Numpad 3") << Qt::Key_3 << QStringLiteral("MN100") << QSize(375, 154);
    QTest::newRow("Ctrl+Numpad 4") << Qt::Key_4 << QStringLiteral("MN110") << QSize(412, 169);
    QTest::newRow("Ctrl+Numpad 5") << Qt::Key_5 << QStringLiteral("MN125") << QSize(468, 192);
    QTest::newRow("Ctrl+Numpad 6") << Qt::Key_6 << QStringLiteral("MN150") << QSize(562, 230);
    QTest::newRow("Ctrl+Numpad 7") << Qt::Key_7 << QStringLiteral("MN200") << QSize(748, 306);
}

void WindowChromeTest::zoomShortcutsScaleAndCentre()
{
    QFETCH(Qt::Key, key);
    QFETCH(QString, action);
    QFETCH(QSize, size);
    showForm();
    m_f->form->move(10, 20);
    QSignalSpy triggered(m_f->form->findChild<QAction *>(action), &QAction::triggered);
    // The digit of the main row is another key.
    QTest::keyClick(m_f->form.get(), key, Qt::ControlModifier);
    QCOMPARE(m_f->form->pos(), QPoint(10, 20));
    QTest::keyClick(m_f->form.get(), key, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(triggered.size(), 1);
    QCOMPARE(m_f->form->size(), size);
    QCOMPARE(m_f->form->pos(), centredOnTheLeftScreen());
    QCOMPARE(zoomLabel(), action.replace(QStringLiteral("MN"), QStringLiteral("%")));
}

void WindowChromeTest::sameLevelAgainRecentresAtTheSameSize()
{
    showForm();
    trigger("MN125");
    m_f->form->move(30, 40);
    trigger("MN125");
    QCOMPARE(m_f->form->size(), QSize(468, 192));
    QCOMPARE(m_f->form->pos(), centredOnTheLeftScreen());
    QCOMPARE(m_f->form->state().ViewScale, 125);
}

void WindowChromeTest::storedHundredZoomsNothingUntilALevelIsChosen()
{
    showForm(QStringLiteral("100"));
    QCOMPARE(m_f->form->size(), QSize(375, 154));
    QCOMPARE(zoomLabel(), QStringLiteral("%100"));
    foldByTitleBar();
    trigger("ListeGizleGster1");
    QCOMPARE(height(), 154);
    m_f->form->move(5, 5);
    trigger("MN100");
    QCOMPARE(m_f->form->size(), QSize(375, 154));
    QCOMPARE(m_f->form->pos(), centredOnTheLeftScreen());
    QCOMPARE(m_f->form->state().ViewScale, 100);

    trigger("MN80");
    QCOMPARE(m_f->form->size(), QSize(300, 124));
    trigger("ListeGizleGster1");
    QCOMPARE(height(), 322);
    trigger("MN100");
    QCOMPARE(m_f->form->state().ViewScale, 0);
    trigger("mnbk");
    QCOMPARE(height(), 24);
}

void WindowChromeTest::storedZoomIsAppliedAtTheFirstShowAndCentred()
{
    showForm(QStringLiteral("125"));
    QCOMPARE(m_f->form->size(), QSize(468, 192));
    QCOMPARE(m_f->form->pos(), QPoint(278, 288));
    QCOMPARE(zoomLabel(), QStringLiteral("%125"));
    QCOMPARE(m_f->form->state().ViewScale, 125);
    // Scaled once, from the design size.
    QCOMPARE(m_f->child<QWidget>("N1I")->geometry(), QRect(59, 29, 44, 40));
}

// The window's own screen, its origin included, both at the first placement and
// at every centring after it.
void WindowChromeTest::centresOnTheWindowsOwnScreen()
{
    m_f = std::make_unique<FormFixture>();
    m_f->form->move(2000, 100);
    m_f->form->show();
    QCOMPARE(m_f->form->screen()->geometry(), QRect(1920, 0, 1280, 1024));
    QCOMPARE(m_f->form->pos(), QPoint(1920 + 452, 435));
    m_f->form->move(2500, 700);
    trigger("MN100");
    QCOMPARE(m_f->form->pos(), QPoint(1920 + 452, 435));
    trigger("MN125");
    QCOMPARE(m_f->form->pos(), QPoint(1920 + 406, 416));
}

void WindowChromeTest::zoomRunsTheShowSetUpAgain()
{
    showForm();
    // The hint names the key that plays the note: A under the Q table, U under the F table.
    const auto firstNoteHint = [this] { return m_f->child<NoteButton>("N0N")->toolTip(); };
    trigger("FK");
    QVERIFY(firstNoteHint().endsWith(QStringLiteral("(U)")));

    whileRecording([this] {
        m_f->child<NoteButton>("N0I")->setColor(0x00123456);
        trigger("MN90");
    });
    QVERIFY(m_f->form->state().RecordStopped);
    QCOMPARE(status(), QStringLiteral("Kayıt Yapılıyor..."));
    QVERIFY(firstNoteHint().endsWith(QStringLiteral("(A)")));
    QVERIFY(m_f->form->findChild<QAction *>(QStringLiteral("QK"))->isChecked());
    QVERIFY(!m_f->form->findChild<QAction *>(QStringLiteral("FK"))->isChecked());
    // The played note's highlight too gives way to the colour of the first fast button.
    for (NoteButton *button : m_f->form->findChildren<NoteButton *>(QRegularExpression(QStringLiteral("^N\\d[IN]$"))))
        QCOMPARE(button->color(), ColorValue(0x00123456));
}

void WindowChromeTest::minimiseEndsARecording()
{
    showForm();
    whileRecording([this] { QTest::mouseClick(m_f->child<QToolButton>("Simg"), Qt::LeftButton); });
    QVERIFY(m_f->form->state().RecordStopped);
    QCOMPARE(status(), QStringLiteral("Kayıt İşlemi Tamamlandı"));
    QVERIFY(m_f->form->isMinimized());
}

void WindowChromeTest::minimiseWhenIdleOnlyMinimises()
{
    showForm();
    QTest::mouseClick(m_f->child<QToolButton>("Simg"), Qt::LeftButton);
    QCOMPARE(status(), QStringLiteral("Durum :"));
    QVERIFY(m_f->form->isMinimized());
}

void WindowChromeTest::exitItemClosesThroughTheCloseHandling()
{
    showForm();
    m_f->answer = QMessageBox::No;
    whileRecording([this] { trigger("k1"); });
    QCOMPARE(m_f->boxes.size(), size_t(1));
    QCOMPARE(m_f->boxes[0].caption, QStringLiteral("UYARI"));
    QVERIFY(m_f->form->isVisible());
}

// Offscreen windows never lose the activation, so the platform's notice is given here.
void WindowChromeTest::activationColoursOnlyTheTitleBar()
{
    showForm();
    auto *titleBar = m_f->child<Panel>("BaslikC");
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    QCOMPARE(titleBar->color(), ColorValue(0x00808080));
    QCOMPARE(titleBar->captionColor(), ColorValue(0x00547272));
    QCOMPARE(m_f->child<Panel>("Kontroller")->color(), ColorValue(0x00C2D1D1));
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QCOMPARE(titleBar->color(), ColorValue(0x00ACC1C1));
}

QTEST_MAIN(WindowChromeTest)
#include "tst_windowchrome.moc"
