#include "Alignment.h"
#include "Zoom.h"

#include <QTest>
#include <QWidget>

// The zoom's arithmetic, the centring, and the alignment of controls to their parent.
class ZoomTest : public QObject
{
    Q_OBJECT

private slots:
    void mulDivRoundsHalvesAwayFromZero_data();
    void mulDivRoundsHalvesAwayFromZero();
    void neighboursStayFlushAtEveryLevel();
    void aRoundTripCanMoveAnEdgeByOne();
    void fontsAtEveryLevelAndBack_data();
    void fontsAtEveryLevelAndBack();
    void levelsByViewScale();
    void centring_data();
    void centring();
    void alignedChildrenKeepToTheirEdges();
};

void ZoomTest::mulDivRoundsHalvesAwayFromZero_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("numerator");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<int>("result");
    QTest::newRow("positive half") << 5 << 1 << 2 << 3;
    QTest::newRow("negative half") << -5 << 1 << 2 << -3;
    QTest::newRow("-1 at 150 %") << -1 << 150 << 100 << -2;
    QTest::newRow("1 at 150 %") << 1 << 150 << 100 << 2;
    QTest::newRow("below a half") << 2 << 1 << 5 << 0;
    QTest::newRow("negative below a half") << -2 << 1 << 5 << 0;
    QTest::newRow("above a half") << 3 << 1 << 5 << 1;
    QTest::newRow("negative above a half") << -3 << 1 << 5 << -1;
    QTest::newRow("negative denominator") << 5 << 1 << -2 << -3;
    QTest::newRow("exact") << -96 << 125 << 100 << -120;
    QTest::newRow("product beyond 32 bits") << 100000 << 100000 << 100000 << 100000;
}

void ZoomTest::mulDivRoundsHalvesAwayFromZero()
{
    QFETCH(int, number);
    QFETCH(int, numerator);
    QFETCH(int, denominator);
    QFETCH(int, result);
    QCOMPARE(mulDiv(number, numerator, denominator), result);
}

void ZoomTest::neighboursStayFlushAtEveryLevel()
{
    for (const ZoomLevel &level : ZoomLevels) {
        for (int left = -3; left < 60; ++left) {
            for (int width = 1; width < 40; width += 3) {
                const QRect first = scaledRect(QRect(left, 2 * left, width, width), level.percent, 100);
                const QRect second = scaledRect(QRect(left + width, 2 * left + width, 17, 17), level.percent, 100);
                QCOMPARE(second.left(), first.right() + 1);
                QCOMPARE(second.top(), first.bottom() + 1);
            }
        }
    }
}

void ZoomTest::aRoundTripCanMoveAnEdgeByOne()
{
    const QRect at80 = scaledRect(QRect(7, 23, 35, 32), 80, 100);
    QCOMPARE(at80, QRect(6, 18, 28, 26));
    QCOMPARE(scaledRect(at80, 100, 80), QRect(8, 23, 35, 32));
}

void ZoomTest::fontsAtEveryLevelAndBack_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixels"); // of the design's 11-pixel font
    QTest::newRow("80") << 80 << 6 << 8;
    QTest::newRow("90") << 90 << 7 << 9;
    QTest::newRow("100") << 100 << 8 << 11;
    QTest::newRow("110") << 110 << 9 << 12;
    QTest::newRow("125") << 125 << 10 << 13;
    QTest::newRow("150") << 150 << 12 << 16;
    QTest::newRow("200") << 200 << 16 << 21;
}

void ZoomTest::fontsAtEveryLevelAndBack()
{
    QFETCH(int, percent);
    QFETCH(int, points);
    QFETCH(int, pixels);
    QCOMPARE(scaledFontSize(8, percent, 100), points);
    QCOMPARE(scaledFontSize(points, 100, percent), 8);
    QCOMPARE(scaledFontPixelHeight(11, percent, 100), pixels);
    QCOMPARE(scaledFontPixelHeight(pixels, 100, percent), 11);
}

void ZoomTest::levelsByViewScale()
{
    QCOMPARE(zoomLevelOf(0)->percent, 100);
    QCOMPARE(zoomLevelOf(80)->hiddenHeight, 124);
    QCOMPARE(zoomLevelOf(200)->shownHeight, 800);
    for (const qint32 outside : {100, 1, -80, 175})
        QVERIFY(!zoomLevelOf(outside));
}

void ZoomTest::centring_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("halves rounded down") << QRect(0, 0, 1024, 768) << QSize(375, 154) << QPoint(324, 307);
    QTest::newRow("a screen right of the first")
        << QRect(1920, 0, 1280, 1024) << QSize(375, 154) << QPoint(1920 + 452, 435);
    QTest::newRow("a screen left of and above the first")
        << QRect(-1280, -200, 1280, 1024) << QSize(468, 192) << QPoint(-1280 + 406, -200 + 416);
    QTest::newRow("larger than the screen") << QRect(1920, 100, 300, 100) << QSize(375, 154) << QPoint(1920, 100);
}

void ZoomTest::centring()
{
    QFETCH(QRect, screen);
    QFETCH(QSize, window);
    QFETCH(QPoint, topLeft);
    QCOMPARE(centredOn(screen, window), topLeft);
}

void ZoomTest::alignedChildrenKeepToTheirEdges()
{
    QWidget parent;
    const auto child = [&parent](const char *align, QRect geometry) {
        auto *widget = new QWidget(&parent);
        widget->setProperty("align", QString::fromLatin1(align));
        widget->setGeometry(geometry);
        return widget;
    };
    QWidget *top = child("top", {5, 5, 10, 21});
    QWidget *fill = child("fill", {0, 0, 1, 1});
    QWidget *bottom = child("bottom", {0, 0, 1, 12});
    QWidget *placed = child("", {7, 300, 30, 13});
    QWidget *hidden = child("top", {0, 0, 1, 40});
    hidden->hide();

    alignChildren(&parent, QRect(1, 1, 373, 152));
    QCOMPARE(top->geometry(), QRect(1, 1, 373, 21));
    QCOMPARE(bottom->geometry(), QRect(1, 141, 373, 12));
    QCOMPARE(fill->geometry(), QRect(1, 22, 373, 119));
    QCOMPARE(placed->geometry(), QRect(7, 300, 30, 13));
    QCOMPARE(hidden->geometry(), QRect(0, 0, 1, 40));
    QCOMPARE(alignmentOf(placed), Alignment::None);
}

QTEST_MAIN(ZoomTest)
#include "tst_zoom.moc"
