#include "KeyboardLayouts.h"

#include <QTest>

Q_DECLARE_METATYPE(KeyboardTable)
Q_DECLARE_METATYPE(ScanCodeSet)

namespace {

// Notes 0-8 lie on the home row, 9-17 on the row above, left to right.
constexpr int FirstHomeRowX = 38, FirstUpperRowX = 24;
constexpr int FirstHomeRowWindows = 0x1E, FirstUpperRowWindows = 0x10;

using Codes = std::array<int, NoteCount>;

const Codes QCodes = {65, 83, 68, 70, 71, 72, 74, 75, 76, 81, 87, 69, 82, 84, 89, 85, 73, 79};
const Codes FCodes = {85, 219, 69, 65, 221, 84, 75, 77, 76, 70, 71, 186, 73, 79, 68, 82, 78, 72};

quint32 notePosition(int note, ScanCodeSet scanCodes)
{
    const bool x11 = scanCodes == ScanCodeSet::X11;
    return note < 9 ? (x11 ? FirstHomeRowX : FirstHomeRowWindows) + note
                    : (x11 ? FirstUpperRowX : FirstUpperRowWindows) + note - 9;
}

} // namespace

class TestKeyboardLayouts : public QObject
{
    Q_OBJECT

private slots:
    void notePositionsReportTheTableCodes_data();
    void notePositionsReportTheTableCodes();
    void otherPositions_data();
    void otherPositions();
    void keyNames_data();
    void keyNames();
    void noteButtonHints_data();
    void noteButtonHints();
};

void TestKeyboardLayouts::notePositionsReportTheTableCodes_data()
{
    QTest::addColumn<KeyboardTable>("table");
    QTest::addColumn<ScanCodeSet>("scanCodes");
    QTest::addColumn<Codes>("codes");
    QTest::newRow("Q, X11") << KeyboardTable::Q << ScanCodeSet::X11 << QCodes;
    QTest::newRow("Q, Windows") << KeyboardTable::Q << ScanCodeSet::Windows << QCodes;
    QTest::newRow("F, X11") << KeyboardTable::F << ScanCodeSet::X11 << FCodes;
    QTest::newRow("F, Windows") << KeyboardTable::F << ScanCodeSet::Windows << FCodes;
}

void TestKeyboardLayouts::notePositionsReportTheTableCodes()
{
    QFETCH(KeyboardTable, table);
    QFETCH(ScanCodeSet, scanCodes);
    QFETCH(Codes, codes);
    for (int note = 0; note < NoteCount; ++note) {
        QCOMPARE(shortcutTable(table).at(note), codes.at(note));
        QCOMPARE(virtualKeyAt(notePosition(note, scanCodes), table, scanCodes), codes.at(note));
    }
}

void TestKeyboardLayouts::otherPositions_data()
{
    QTest::addColumn<KeyboardTable>("table");
    QTest::addColumn<ScanCodeSet>("scanCodes");
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<int>("code");
    // The ends of the two rows, right of the note keys.
    QTest::newRow("Q: P") << KeyboardTable::Q << ScanCodeSet::X11 << 33u << 80;
    QTest::newRow("Q: Ğ") << KeyboardTable::Q << ScanCodeSet::X11 << 34u << 219;
    QTest::newRow("Q: Ü") << KeyboardTable::Q << ScanCodeSet::Windows << 0x1Bu << 221;
    QTest::newRow("Q: Ş") << KeyboardTable::Q << ScanCodeSet::X11 << 47u << 186;
    QTest::newRow("Q: İ") << KeyboardTable::Q << ScanCodeSet::Windows << 0x28u << 222;
    QTest::newRow("F: W") << KeyboardTable::F << ScanCodeSet::Windows << 0x1Bu << 87;
    QTest::newRow("F: Y") << KeyboardTable::F << ScanCodeSet::X11 << 47u << 89;
    QTest::newRow("F: Ş") << KeyboardTable::F << ScanCodeSet::X11 << 48u << 222;
    // Keys that are no letter key of the two rows.
    QTest::newRow("no scan code") << KeyboardTable::Q << ScanCodeSet::X11 << 0u << 0;
    QTest::newRow("X11 Tab") << KeyboardTable::Q << ScanCodeSet::X11 << 23u << 0;
    QTest::newRow("X11 Return") << KeyboardTable::F << ScanCodeSet::X11 << 36u << 0;
    QTest::newRow("X11 Z") << KeyboardTable::Q << ScanCodeSet::X11 << 52u << 0;
    QTest::newRow("X11 keycode 16 (digit 7)") << KeyboardTable::Q << ScanCodeSet::X11 << 16u << 0;
    QTest::newRow("Windows Enter") << KeyboardTable::F << ScanCodeSet::Windows << 0x1Cu << 0;
    QTest::newRow("Windows extended 0x11E") << KeyboardTable::Q << ScanCodeSet::Windows << 0x11Eu << 0;
}

void TestKeyboardLayouts::otherPositions()
{
    QFETCH(KeyboardTable, table);
    QFETCH(ScanCodeSet, scanCodes);
    QFETCH(quint32, scanCode);
    QFETCH(int, code);
    QCOMPARE(virtualKeyAt(scanCode, table, scanCodes), code);
}

void TestKeyboardLayouts::keyNames_data()
{
    QTest::addColumn<KeyboardTable>("table");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("Q A") << KeyboardTable::Q << 65 << "A";
    QTest::newRow("Q I (the ı key)") << KeyboardTable::Q << 73 << "I";
    QTest::newRow("Q Z, bottom row") << KeyboardTable::Q << 90 << "Z";
    QTest::newRow("Q 186") << KeyboardTable::Q << 186 << "Ş";
    QTest::newRow("Q 219") << KeyboardTable::Q << 219 << "Ğ";
    QTest::newRow("Q 221") << KeyboardTable::Q << 221 << "Ü";
    QTest::newRow("Q 222") << KeyboardTable::Q << 222 << "İ";
    QTest::newRow("F 186") << KeyboardTable::F << 186 << "Ğ";
    QTest::newRow("F 219") << KeyboardTable::F << 219 << "İ";
    QTest::newRow("F 221") << KeyboardTable::F << 221 << "Ü";
    QTest::newRow("F 222") << KeyboardTable::F << 222 << "Ş";
    QTest::newRow("F X, bottom row") << KeyboardTable::F << 88 << "X";
    QTest::newRow("none") << KeyboardTable::F << 0 << "";
    QTest::newRow("Enter") << KeyboardTable::Q << 13 << "";
}

void TestKeyboardLayouts::keyNames()
{
    QFETCH(KeyboardTable, table);
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(keyName(code, table), name);
}

void TestKeyboardLayouts::noteButtonHints_data()
{
    const QString hint = QStringLiteral("Kısayol -> ");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<KeyboardTable>("table");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Q A") << hint << KeyboardTable::Q << 65 << "Kısayol ->  (A)";
    QTest::newRow("Q 186") << hint << KeyboardTable::Q << 186 << "Kısayol ->  (Ş)";
    QTest::newRow("F U") << hint << KeyboardTable::F << 85 << "Kısayol ->  (U)";
    QTest::newRow("F 219") << hint << KeyboardTable::F << 219 << "Kısayol ->  (İ)";
    QTest::newRow("F 221") << hint << KeyboardTable::F << 221 << "Kısayol ->  (Ü)";
    QTest::newRow("F 186") << hint << KeyboardTable::F << 186 << "Kısayol ->  (Ğ)";
    QTest::newRow("no shortcut") << hint << KeyboardTable::Q << 0 << "Kısayol -> ";
    QTest::newRow("empty hint") << QString() << KeyboardTable::Q << 65 << "";
}

void TestKeyboardLayouts::noteButtonHints()
{
    QFETCH(QString, hint);
    QFETCH(KeyboardTable, table);
    QFETCH(int, code);
    QFETCH(QString, shown);
    QCOMPARE(noteButtonHint(hint, code, table), shown);
}

QTEST_APPLESS_MAIN(TestKeyboardLayouts)
#include "tst_keyboardlayouts.moc"
