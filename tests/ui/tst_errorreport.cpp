#include "Error.h"
#include "ErrorReport.h"
#include "MessageBox.h"

#include <QApplication>
#include <QTest>

class ErrorReportTest : public QObject
{
    Q_OBJECT

private slots:
    void fullStopOnlyAfterCharactersSortingAfterIt_data();
    void fullStopOnlyAfterCharactersSortingAfterIt();
    void commandErrorIsShownAsTheReport();
    void otherCommandsGoOnAfterAnError();
    void anyStandardExceptionIsReportedWithItsText();
};

void ErrorReportTest::fullStopOnlyAfterCharactersSortingAfterIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("exclamation") << "Stop!" << "Stop!";
    QTest::newRow("parenthesis") << "List index out of bounds (18)" << "List index out of bounds (18)";
    QTest::newRow("letter") << "'AB' is not a valid integer value" << "'AB' is not a valid integer value.";
    QTest::newRow("quote") << "'' is not a valid integer value" << "'' is not a valid integer value.";
    QTest::newRow("digit") << "Code 5" << "Code 5.";
    QTest::newRow("space") << "trailing " << "trailing ";
    QTest::newRow("slash") << "a/" << "a/.";
    QTest::newRow("Turkish letter") << "Hatalı" << "Hatalı.";
    QTest::newRow("empty") << "" << "";
}

void ErrorReportTest::fullStopOnlyAfterCharactersSortingAfterIt()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(errorReportText(text), shown);
}

void ErrorReportTest::commandErrorIsShownAsTheReport()
{
    std::vector<MessageBox::Shown> boxes;
    MessageBox::setAnswerer([&](const MessageBox::Shown &shown) {
        boxes.push_back(shown);
        return QMessageBox::Ok;
    });
    bool ranToTheEnd = false;
    runReportingErrors(nullptr, [&] {
        throw Error(QStringLiteral("Cannot focus a disabled or invisible window"));
        ranToTheEnd = true;
    });
    MessageBox::setAnswerer({});

    QVERIFY(!ranToTheEnd);
    QCOMPARE(boxes.size(), size_t(1));
    QCOMPARE(boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes[0].caption, QStringLiteral(".:: MoRvIl ::."));
    QCOMPARE(boxes[0].text, QStringLiteral("Cannot focus a disabled or invisible window."));
    QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void ErrorReportTest::otherCommandsGoOnAfterAnError()
{
    MessageBox::setAnswerer([](const MessageBox::Shown &) { return QMessageBox::Ok; });
    int state = 0;
    runReportingErrors(nullptr, [&] {
        state = 1;
        throw Error(QStringLiteral("x"));
    });
    runReportingErrors(nullptr, [&] { state += 1; });
    MessageBox::setAnswerer({});
    QCOMPARE(state, 2);
}

void ErrorReportTest::anyStandardExceptionIsReportedWithItsText()
{
    QStringList texts;
    MessageBox::setAnswerer([&](const MessageBox::Shown &shown) {
        texts << shown.text;
        return QMessageBox::Ok;
    });
    runReportingErrors(nullptr, [] { throw std::out_of_range("index 18 is out of range"); });
    runReportingErrors(nullptr, [] { throw std::bad_alloc(); });
    bool ranAfterwards = false;
    runReportingErrors(nullptr, [&] { ranAfterwards = true; });
    MessageBox::setAnswerer({});
    QCOMPARE(texts, (QStringList{"index 18 is out of range.", "std::bad_alloc."}));
    QVERIFY(ranAfterwards);
}

QTEST_MAIN(ErrorReportTest)
#include "tst_errorreport.moc"
