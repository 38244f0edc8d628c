#include "FormFixture.h"
#include "NativeScanCode.h"

#include "NoteButton.h"

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QTest>

namespace {

// X keycodes: the home row starts at 38, the row above at 24.
constexpr quint32 HomeRow = 38;
constexpr quint32 UpperRow = 24;

const QString Hint = QStringLiteral("Kısayol -> ");

} // namespace

// The layout menu items, the shortcut tables on the note actions, the hints of
// the note buttons, and the layout restored at every show.
class KeyboardLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void createdWithBothCheckedTheQTableAndNoHints();
    void hintsNameTheKeyUnderEachTable_data();
    void hintsNameTheKeyUnderEachTable();
    void eachItemUnchecksTheOther();
    void choosingTheCheckedLayoutAgainChangesNothing();
    void storedLayoutAtShow_data();
    void storedLayoutAtShow();
    void showAgainBringsBackTheStoredLayout();
    void layoutShortcutsWorkWhileTheWindowIsActive();
    void modifiedNoteKeysPlayNothing();

private:
    static std::unique_ptr<FormFixture> shownForm(const QString &storedLayout);
    // Presses the key at an X keycode and returns the note recorded, or -1.
    static int notePlayedBy(FormFixture &f, quint32 keycode, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static QString hintOf(FormFixture &f, const char *button) { return f.child<NoteButton>(button)->toolTip(); }
    static QAction *item(FormFixture &f, const char *name) { return f.form->findChild<QAction *>(name); }
};

std::unique_ptr<FormFixture> KeyboardLayoutTest::shownForm(const QString &storedLayout)
{
    auto f = std::make_unique<FormFixture>([&](QSettings &settings) {
        if (!storedLayout.isNull())
            settings.setValue(QStringLiteral("Klavye"), storedLayout);
    });
    f->form->show();
    return f;
}

int KeyboardLayoutTest::notePlayedBy(FormFixture &f, quint32 keycode, Qt::KeyboardModifiers modifiers)
{
    auto *records = f.child<QListWidget>("Nota_Listesi");
    const int before = records->count();
    f.pump.inTick(1, [&f] { f.form->SpeedButton8Click(); });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, nativeScanCode(keycode), 0, 0);
    QApplication::sendEvent(f.form->focusWidget() ? f.form->focusWidget() : f.form.get(), &press);
    if (records->count() == before)
        return -1; // the scheduled stop runs harmlessly in the next recording's first tick
    return records->item(before)->text().left(2).toInt();
}

void KeyboardLayoutTest::createdWithBothCheckedTheQTableAndNoHints()
{
    FormFixture f;
    QVERIFY(item(f, "QK")->isChecked());
    QVERIFY(item(f, "FK")->isChecked());
    QVERIFY(hintOf(f, "N0N").isEmpty());
    QCOMPARE(item(f, "QK")->text(), QStringLiteral("Q Klavye"));
    QCOMPARE(item(f, "FK")->text(), QStringLiteral("F Klavye"));
}

void KeyboardLayoutTest::hintsNameTheKeyUnderEachTable_data()
{
    QTest::addColumn<bool>("fTable");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("hint");
    QTest::newRow("Q, note 0") << false << QByteArray("N0N") << Hint + " (A)";
    QTest::newRow("Q, note 8") << false << QByteArray("N8N") << Hint + " (L)";
    QTest::newRow("Q, note 16") << false << QByteArray("N7I") << Hint + " (I)";
    QTest::newRow("F, note 0") << true << QByteArray("N0N") << Hint + " (U)";
    QTest::newRow("F, note 1") << true << QByteArray("N1N") << Hint + " (İ)";
    QTest::newRow("F, note 4") << true << QByteArray("N4N") << Hint + " (Ü)";
    QTest::newRow("F, note 9") << true << QByteArray("N0I") << Hint + " (F)";
    QTest::newRow("F, note 11") << true << QByteArray("N2I") << Hint + " (Ğ)";
}

void KeyboardLayoutTest::hintsNameTheKeyUnderEachTable()
{
    QFETCH(bool, fTable);
    QFETCH(QByteArray, button);
    QFETCH(QString, hint);
    auto f = shownForm(QString());
    if (fTable)
        item(*f, "FK")->trigger();
    QCOMPARE(hintOf(*f, button.constData()), hint);
}

void KeyboardLayoutTest::eachItemUnchecksTheOther()
{
    auto f = shownForm(QStringLiteral("0"));
    item(*f, "FK")->trigger();
    QVERIFY(item(*f, "FK")->isChecked());
    QVERIFY(!item(*f, "QK")->isChecked());
    QCOMPARE(notePlayedBy(*f, HomeRow), 0);     // U under Turkish F
    QCOMPARE(notePlayedBy(*f, UpperRow), 9);    // F
    QCOMPARE(notePlayedBy(*f, HomeRow + 3), 3); // A
    item(*f, "QK")->trigger();
    QVERIFY(item(*f, "QK")->isChecked());
    QVERIFY(!item(*f, "FK")->isChecked());
    QCOMPARE(notePlayedBy(*f, HomeRow + 8), 8);
    QCOMPARE(notePlayedBy(*f, UpperRow + 7), 16);
}

void KeyboardLayoutTest::choosingTheCheckedLayoutAgainChangesNothing()
{
    auto f = shownForm(QStringLiteral("1"));
    const QString hintBefore = hintOf(*f, "N2I");
    item(*f, "FK")->trigger();
    QVERIFY(item(*f, "FK")->isChecked());
    QVERIFY(!item(*f, "QK")->isChecked());
    QCOMPARE(hintOf(*f, "N2I"), hintBefore);
    QCOMPARE(notePlayedBy(*f, UpperRow + 2), 11);
}

void KeyboardLayoutTest::storedLayoutAtShow_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("qChecked");
    QTest::addColumn<bool>("fChecked");
    QTest::addColumn<QString>("hint");
    QTest::newRow("nothing stored") << QString() << true << false << Hint + " (A)";
    QTest::newRow("Q") << "0" << true << false << Hint + " (A)";
    QTest::newRow("F") << "1" << false << true << Hint + " (U)";
    QTest::newRow("neither: the Q keys still play") << "2" << false << false << QString();
    QTest::newRow("no number") << "abc" << true << false << Hint + " (A)";
}

void KeyboardLayoutTest::storedLayoutAtShow()
{
    QFETCH(QString, stored);
    QFETCH(bool, qChecked);
    QFETCH(bool, fChecked);
    QFETCH(QString, hint);
    auto f = shownForm(stored);
    QCOMPARE(item(*f, "QK")->isChecked(), qChecked);
    QCOMPARE(item(*f, "FK")->isChecked(), fChecked);
    QCOMPARE(hintOf(*f, "N0N"), hint);
    // Both tables put the notes at the same places.
    QCOMPARE(notePlayedBy(*f, HomeRow), 0);
    QCOMPARE(notePlayedBy(*f, UpperRow + 2), 11);
}

void KeyboardLayoutTest::showAgainBringsBackTheStoredLayout()
{
    auto f = shownForm(QStringLiteral("0"));
    item(*f, "FK")->trigger();
    QCOMPARE(hintOf(*f, "N0N"), Hint + " (U)");
    f->form->FormShow();
    QVERIFY(item(*f, "QK")->isChecked());
    QVERIFY(!item(*f, "FK")->isChecked());
    QCOMPARE(hintOf(*f, "N0N"), Hint + " (A)");
    QCOMPARE(notePlayedBy(*f, HomeRow + 1), 1);
}

void KeyboardLayoutTest::layoutShortcutsWorkWhileTheWindowIsActive()
{
    auto f = shownForm(QString());
    QCOMPARE(item(*f, "FK")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(item(*f, "QK")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(item(*f, "FK")->shortcutContext(), Qt::WindowShortcut);
    QVERIFY(f->form->actions().contains(item(*f, "FK")));
    QVERIFY(f->form->actions().contains(item(*f, "QK")));
}

void KeyboardLayoutTest::modifiedNoteKeysPlayNothing()
{
    auto f = shownForm(QString());
    QCOMPARE(notePlayedBy(*f, HomeRow, Qt::ShiftModifier), -1);
    QCOMPARE(notePlayedBy(*f, HomeRow, Qt::ControlModifier), -1);
    QCOMPARE(notePlayedBy(*f, HomeRow, Qt::AltModifier), -1);
    QCOMPARE(notePlayedBy(*f, HomeRow), 0);
}

QTEST_MAIN(KeyboardLayoutTest)
#include "tst_keyboardlayout.moc"
