#include "ColorText.h"
#include "Error.h"

#include <QRegularExpression>
#include <QTest>

// Colour texts of the settings store and the integers they are read as.
class ColorTextTest : public QObject
{
    Q_OBJECT

private slots:
    void everyNamedColourBothWays();
    void unnamedColoursAreEightHexDigits();
    void textsReadAsColours_data();
    void textsReadAsColours();
    void textsThatAreNoColour_data();
    void textsThatAreNoColour();
    void numbersFallBackToTheirDefault();
};

void ColorTextTest::everyNamedColourBothWays()
{
    // Name and value, in the order of the table.
    const QStringList table = QStringLiteral(R"(
        clBlack 00000000 clMaroon 00000080 clGreen 00008000 clOlive 00008080 clNavy 00800000 clPurple 00800080
        clTeal 00808000 clGray 00808080 clSilver 00C0C0C0 clRed 000000FF clLime 0000FF00 clYellow 0000FFFF
        clBlue 00FF0000 clFuchsia 00FF00FF clAqua 00FFFF00 clWhite 00FFFFFF clMoneyGreen 00C0DCC0
        clSkyBlue 00F0CAA6 clCream 00F0FBFF clMedGray 00A4A0A0 clActiveBorder FF00000A clActiveCaption FF000002
        clAppWorkSpace FF00000C clBackground FF000001 clBtnFace FF00000F clBtnHighlight FF000014
        clBtnShadow FF000010 clBtnText FF000012 clCaptionText FF000009 clDefault 20000000
        clGradientActiveCaption FF00001B clGradientInactiveCaption FF00001C clGrayText FF000011
        clHighlight FF00000D clHighlightText FF00000E clHotLight FF00001A clInactiveBorder FF00000B
        clInactiveCaption FF000003 clInactiveCaptionText FF000013 clInfoBk FF000018 clInfoText FF000017
        clMenu FF000004 clMenuBar FF00001E clMenuHighlight FF00001D clMenuText FF000007 clNone 1FFFFFFF
        clScrollBar FF000000 cl3DDkShadow FF000015 cl3DLight FF000016 clWindow FF000005 clWindowFrame FF000006
        clWindowText FF000008)")
                                  .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QCOMPARE(table.size(), 2 * 52);
    for (qsizetype i = 0; i < table.size(); i += 2) {
        const QString name = table[i];
        const ColorValue value = table[i + 1].toUInt(nullptr, 16);
        QCOMPARE(ColorToText(value), name);
        QCOMPARE(TextToColor(name), value);
        QCOMPARE(TextToColor(name.toUpper()), value);
        QCOMPARE(TextToColor(name.toLower()), value);
    }
}

void ColorTextTest::unnamedColoursAreEightHexDigits()
{
    QCOMPARE(ColorToText(12767697), QStringLiteral("$00C2D1D1"));
    QCOMPARE(ColorToText(0x7D), QStringLiteral("$0000007D"));
    QCOMPARE(ColorToText(0xFF000020), QStringLiteral("$FF000020"));
    QCOMPARE(TextToColor(ColorToText(0xFF000020)), ColorValue(0xFF000020));
}

void ColorTextTest::textsReadAsColours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ColorValue>("value");
    QTest::newRow("name in capitals") << "CLWHITE" << ColorValue(0x00FFFFFF);
    QTest::newRow("dollar hex") << "$7D" << ColorValue(125);
    QTest::newRow("leading blank") << " 125" << ColorValue(125);
    QTest::newRow("plus") << "+125" << ColorValue(125);
    QTest::newRow("x") << "x7d" << ColorValue(125);
    QTest::newRow("X") << "X7D" << ColorValue(125);
    QTest::newRow("0x") << "0x7D" << ColorValue(125);
    QTest::newRow("0X") << "  0X7d" << ColorValue(125);
    QTest::newRow("leading zero digits") << "$000000007D" << ColorValue(125);
    QTest::newRow("system colour in hex") << "$FF000008" << ColorValue(0xFF000008);
    QTest::newRow("all 32 bits") << "$FFFFFFFF" << ColorValue(0xFFFFFFFF);
    QTest::newRow("negative decimal") << "-1" << ColorValue(0xFFFFFFFF);
    QTest::newRow("negative hex") << "-$7D" << ColorValue(0xFFFFFF83);
    QTest::newRow("largest") << "2147483647" << ColorValue(0x7FFFFFFF);
    QTest::newRow("smallest") << "-2147483648" << ColorValue(0x80000000);
    QTest::newRow("zero") << "0" << ColorValue(0);
}

void ColorTextTest::textsReadAsColours()
{
    QFETCH(QString, text);
    QFETCH(ColorValue, value);
    QCOMPARE(TextToColor(text), value);
}

void ColorTextTest::textsThatAreNoColour_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : {"abc", "", " ", "-", "$", "0x", "x", "12a", "1 ", "\t5", "--5", "$-5", "clWhite ",
                             "2147483648", "-2147483649", "$100000000", "1.5", "0x1G"})
        QTest::newRow(text) << QString::fromLatin1(text);
    QTest::newRow("dotted capital I") << QStringLiteral("CLWHİTE");
}

void ColorTextTest::textsThatAreNoColour()
{
    QFETCH(QString, text);
    try {
        TextToColor(text);
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.text(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
    QCOMPARE(TextToInteger(text, 500), 500);
}

void ColorTextTest::numbersFallBackToTheirDefault()
{
    QCOMPARE(TextToInteger(QStringLiteral("abc"), 0), 0);
    QCOMPARE(TextToInteger(QString(), 500), 500);
    QCOMPARE(TextToInteger(QStringLiteral(" 125"), 0), 125);
    QCOMPARE(TextToInteger(QStringLiteral("$7D"), 0), 125);
    QCOMPARE(TextToInteger(QStringLiteral("-80"), 0), -80);
    QCOMPARE(TextToInteger(QStringLiteral("$FFFFFFFF"), 0), -1);
    QCOMPARE(TextToInteger(QStringLiteral("clRed"), 7), 7);
}

QTEST_APPLESS_MAIN(ColorTextTest)
#include "tst_colortext.moc"
