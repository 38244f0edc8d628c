#include "NativeScanCode.h"
#include "NoteKeyDispatcher.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {

// Native scan codes of a few keys, at their X keycodes (evdev code + 8).
constexpr quint32 HomeRowFirst = nativeScanCode(38), UpperRowFirst = nativeScanCode(24);
constexpr quint32 KeyS = nativeScanCode(39), KeyE = nativeScanCode(26), KeyF = nativeScanCode(41),
                  KeyG = nativeScanCode(42), KeyI = nativeScanCode(31), KeyZ = nativeScanCode(52);

} // namespace

class TestNoteKeyDispatcher : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyNotePositionPlaysItsNoteUnseenByTheFocusedControl_data();
    void everyNotePositionPlaysItsNoteUnseenByTheFocusedControl();
    void modifiedAndOtherKeysReachTheFocusedControl_data();
    void modifiedAndOtherKeysReachTheFocusedControl();
    void altGrAndMetaPlayNothing_data();
    void altGrAndMetaPlayNothing();
    void autoRepeatPlaysAgain();
    void switchingTheTableMovesTheNotes();
    void followsTheCodesTheActionsCarry();
    void disabledNoteLetsTheKeyThrough();
    void keysOfOtherWindowsAreLeftAlone();
    void claimsTheShortcutOverrideOfANoteKey();

private:
    // Sends a key press as the platform would, with its native scan code, to the focused control.
    void press(quint32 scanCode, const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               bool autoRepeat = false);

    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_edit = nullptr;
    QList<QAction *> m_actions;
    QList<int> m_played;
    KeyboardTable m_table = KeyboardTable::Q;
    std::array<int, NoteCount> m_codes{};
};

void TestNoteKeyDispatcher::init()
{
    m_window = std::make_unique<QWidget>();
    m_edit = new QLineEdit(m_window.get());
    m_actions.clear();
    m_played.clear();
    m_table = KeyboardTable::Q;
    m_codes = shortcutTable(KeyboardTable::Q);
    for (int note = 0; note < NoteCount; ++note) {
        auto *action = new QAction(m_window.get());
        connect(action, &QAction::triggered, this, [this, note] { m_played.append(note); });
        m_actions.append(action);
    }
    new NoteKeyDispatcher(
        m_window.get(), m_actions, [this] { return m_table; }, [this](int note) { return m_codes.at(note); });
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_edit->setFocus();
}

void TestNoteKeyDispatcher::cleanup()
{
    m_window.reset();
}

void TestNoteKeyDispatcher::press(quint32 scanCode, const QString &text, Qt::KeyboardModifiers modifiers,
                                  bool autoRepeat)
{
    const int key = text.isEmpty() ? int(Qt::Key_unknown) : text.toUpper().at(0).unicode();
    QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text, autoRepeat);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

void TestNoteKeyDispatcher::everyNotePositionPlaysItsNoteUnseenByTheFocusedControl_data()
{
    QTest::addColumn<int>("note");
    for (int note = 0; note < NoteCount; ++note)
        QTest::addRow("note %d", note) << note;
}

void TestNoteKeyDispatcher::everyNotePositionPlaysItsNoteUnseenByTheFocusedControl()
{
    QFETCH(int, note);
    press(note < 9 ? HomeRowFirst + note : UpperRowFirst + note - 9, QStringLiteral("k"));
    QCOMPARE(m_played, QList<int>{note});
    QCOMPARE(m_edit->text(), QString());
}

void TestNoteKeyDispatcher::modifiedAndOtherKeysReachTheFocusedControl_data()
{
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Shift+A") << HomeRowFirst << "A" << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl+A") << HomeRowFirst << "" << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Alt+A") << HomeRowFirst << "" << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Z") << KeyZ << "z" << Qt::KeyboardModifiers();
    QTest::newRow("no scan code") << 0u << "a" << Qt::KeyboardModifiers();
}

void TestNoteKeyDispatcher::modifiedAndOtherKeysReachTheFocusedControl()
{
    QFETCH(quint32, scanCode);
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    press(scanCode, text, modifiers);
    QVERIFY(m_played.isEmpty());
    QCOMPARE(m_edit->text(), text);
}

void TestNoteKeyDispatcher::altGrAndMetaPlayNothing_data()
{
    // As Qt reports them on X11: AltGr (ISO Level 3 shift) sets X's Mod5, the
    // Windows key Mod4.
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<quint32>("nativeModifiers");
    QTest::addColumn<QString>("text");
    QTest::newRow("AltGr+A") << Qt::KeyboardModifiers(Qt::GroupSwitchModifier) << 0x80u << QStringLiteral("â");
    QTest::newRow("Meta+A") << Qt::KeyboardModifiers(Qt::MetaModifier) << 0x40u << QStringLiteral("a");
}

void TestNoteKeyDispatcher::altGrAndMetaPlayNothing()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(quint32, nativeModifiers);
    QFETCH(QString, text);
    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, modifiers, HomeRowFirst, 0, nativeModifiers, text);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
    QVERIFY(m_played.isEmpty());
}

void TestNoteKeyDispatcher::autoRepeatPlaysAgain()
{
    press(KeyG, QStringLiteral("g"));
    press(KeyG, QStringLiteral("g"), Qt::NoModifier, true);
    press(KeyG, QStringLiteral("g"), Qt::NoModifier, true);
    QCOMPARE(m_played, (QList<int>{4, 4, 4}));
}

void TestNoteKeyDispatcher::switchingTheTableMovesTheNotes()
{
    m_table = KeyboardTable::F;
    m_codes = shortcutTable(KeyboardTable::F);
    // The Turkish F keys U, F, A, İ, Ğ, Ü, then the key where Turkish Q has ı.
    for (quint32 scanCode : {HomeRowFirst, UpperRowFirst, KeyF, KeyS, KeyE, KeyG, KeyI})
        press(scanCode, QStringLiteral("k"));
    QCOMPARE(m_played, (QList<int>{0, 9, 3, 1, 11, 4, 16}));
    QCOMPARE(m_edit->text(), QString());
}

void TestNoteKeyDispatcher::followsTheCodesTheActionsCarry()
{
    m_codes = shortcutTable(KeyboardTable::F);
    press(HomeRowFirst, QStringLiteral("a")); // A under Turkish Q is note 3's code in the F table
    m_table = KeyboardTable::F;
    m_codes.fill(0);
    press(HomeRowFirst, QStringLiteral("u"));
    QCOMPARE(m_played, QList<int>{3});
    QCOMPARE(m_edit->text(), QStringLiteral("u"));
}

void TestNoteKeyDispatcher::disabledNoteLetsTheKeyThrough()
{
    m_actions.at(0)->setEnabled(false);
    press(HomeRowFirst, QStringLiteral("a"));
    QVERIFY(m_played.isEmpty());
    QCOMPARE(m_edit->text(), QStringLiteral("a"));
}

void TestNoteKeyDispatcher::keysOfOtherWindowsAreLeftAlone()
{
    QLineEdit dialog;
    dialog.show();
    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, HomeRowFirst, 0, 0, QStringLiteral("a"));
    QApplication::sendEvent(&dialog, &event);
    QVERIFY(m_played.isEmpty());
    QCOMPARE(dialog.text(), QStringLiteral("a"));
}

void TestNoteKeyDispatcher::claimsTheShortcutOverrideOfANoteKey()
{
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_A, Qt::NoModifier, HomeRowFirst, 0, 0, QStringLiteral("a"));
    override.ignore();
    // The window itself, unlike a line edit, claims no override of its own.
    QApplication::sendEvent(m_window.get(), &override);
    QVERIFY(override.isAccepted());
    QVERIFY(m_played.isEmpty());
}

QTEST_MAIN(TestNoteKeyDispatcher)
#include "tst_notekeydispatcher.moc"
