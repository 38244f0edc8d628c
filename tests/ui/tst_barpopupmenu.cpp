// The side-band popup menu: its properties, its arithmetic, and its band as painted,
// read back from the offscreen platform's backing store after each popup.
#include "MenuImages.h"
#include "TBarPopupMenu.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

constexpr QPoint PopupPoint(40, 30);
constexpr ColorValue White = 0x00FFFFFF;
constexpr ColorValue Red = 0x000000FF;
constexpr QRgb Green = 0xFF00FF00;
constexpr QRgb KeyBlue = 0xFF0000FF;

const QStringList FiveItems = {"Bir", "İki", "-", "Üç", "Dört"};

// A menu of these captions, "-" standing for a separator, with a band of these
// colours and no text.
std::unique_ptr<TBarPopupMenu> menuOf(const QStringList &captions, ColorValue start = White, ColorValue end = Red,
                                      qint32 barWidth = 22)
{
    auto menu = std::make_unique<TBarPopupMenu>();
    for (const QString &caption : captions) {
        if (caption == QLatin1String("-"))
            menu->addSeparator();
        else
            menu->addAction(caption);
    }
    menu->setGradientStart(start);
    menu->setGradientEnd(end);
    menu->setBarWidth(barWidth);
    menu->setVerticalText(QString());
    return menu;
}

QImage shownImage(QMenu &menu)
{
    if (!QTest::qWaitForWindowExposed(&menu))
        return {};
    QCoreApplication::processEvents();
    return windowImage(&menu);
}

QImage poppedUp(TBarPopupMenu &menu)
{
    menu.Popup(PopupPoint.x(), PopupPoint.y());
    return shownImage(menu);
}

// The summed height of the visible items not captioned "#".
int countedHeight(TBarPopupMenu &menu)
{
    int height = 0;
    for (QAction *item : menu.actions()) {
        if (item->isVisible() && item->text() != QLatin1String("#"))
            height += menu.actionGeometry(item).height();
    }
    return height;
}

QRgb rgbOf(ColorValue value)
{
    return qRgb(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QImage pictureWithMark(QRgb background)
{
    QImage picture(6, 8, QImage::Format_RGB32);
    picture.fill(background);
    picture.setPixel(1, 1, Green);
    return picture;
}

// Rows [from, to] of the strip, columns [0, barWidth - 2), against the formula.
bool stripFollowsFormula(const QImage &image, int from, int to, int barWidth, QRgb start, QRgb end, int menuHeight,
                         QString &failure)
{
    for (int y = from; y <= to; ++y) {
        const QRgb expected = formulaColor(start, end, y, menuHeight);
        for (int x = 0; x < barWidth - 2; ++x) {
            if (colorAt(image, x, y) != expected) {
                failure = QStringLiteral("pixel %1,%2 is %3, the formula gives %4")
                              .arg(x)
                              .arg(y)
                              .arg(colorAt(image, x, y), 8, 16)
                              .arg(expected, 8, 16);
                return false;
            }
        }
    }
    return true;
}

} // namespace

class BarPopupMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void constructedWithItsDefaults();
    void pictureIsCreatedWhenFirstNeeded();
    void bandRowColor_data();
    void bandRowColor();
    void verticalTextOrigin_data();
    void verticalTextOrigin();
    void gradientRowsFollowTheFormula_data();
    void gradientRowsFollowTheFormula();
    void equalColoursAreOneSolidFill();
    void textStartsAtItsRow_data();
    void textStartsAtItsRow();
    void pictureAtItsAlignedPlace_data();
    void pictureAtItsAlignedPlace();
    void hashItemIsNeitherCountedNorPainted_data();
    void hashItemIsNeitherCountedNorPainted();
    void withoutTheBarItIsAPlainMenu();
    void laterRepaintsLeaveTheBandAlone();
    void secondPopupRepaintsTheBandInFull();
    void subMenuHasNoBand();
    void theBandPointsAtTheItemOfItsRow();
    void frameSurroundsTheWholeMenu();
};

void BarPopupMenuTest::constructedWithItsDefaults()
{
    TBarPopupMenu menu;
    QCOMPARE(menu.BarWidth(), 31);
    QCOMPARE(menu.BitmapOffsetX(), 0);
    QCOMPARE(menu.BitmapOffsetY(), 0);
    QCOMPARE(menu.BitmapVertAlignment(), TBarPopupMenu::bvaBottom);
    QCOMPARE(menu.BitmapHorzAlignment(), TBarPopupMenu::bhaLeft);
    QVERIFY(menu.BarVisible());
    QCOMPARE(menu.GradientStart(), ColorValue(0x00FF0000));
    QCOMPARE(menu.GradientEnd(), ColorValue(0));
    QCOMPARE(menu.VerticalFont().font.family(), QStringLiteral("Tahoma"));
    QCOMPARE(menu.VerticalFont().font.pointSize(), 14);
    QVERIFY(menu.VerticalFont().font.bold());
    QVERIFY(menu.VerticalFont().font.italic());
    QCOMPARE(menu.VerticalFont().color, White);
    QCOMPARE(menu.VerticalText(), QStringLiteral(".:: MoRvIl ::."));
    QCOMPARE(menu.VerticalTextOffsetY(), -6);
    QCOMPARE(menu.MenuHeight(), 0);
    QVERIFY(!menu.BarPainted());
}

void BarPopupMenuTest::pictureIsCreatedWhenFirstNeeded()
{
    TBarPopupMenu reading;
    QVERIFY(!reading.Transparent());
    reading.setTransparent(true); // dropped: there is no picture
    QVERIFY(!reading.Transparent());
    QVERIFY(reading.Bitmap().isNull());
    QVERIFY(reading.Transparent());
    reading.setTransparent(false);
    QVERIFY(!reading.Transparent());

    TBarPopupMenu writing;
    QImage given = pictureWithMark(KeyBlue);
    writing.setBitmap(given);
    QVERIFY(writing.Transparent());
    given.fill(Qt::black);
    QCOMPARE(writing.Bitmap().pixel(1, 1), Green);
}

void BarPopupMenuTest::bandRowColor_data()
{
    QTest::addColumn<QRgb>("start");
    QTest::addColumn<QRgb>("end");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("menuHeight");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("first row") << qRgb(255, 255, 255) << qRgb(255, 0, 0) << 0 << 300 << qRgb(255, 255, 255);
    QTest::newRow("last row") << qRgb(255, 255, 255) << qRgb(255, 0, 0) << 300 << 300 << qRgb(255, 0, 0);
    QTest::newRow("a third down") << qRgb(255, 0, 30) << qRgb(0, 255, 0) << 1 << 3 << qRgb(170, 85, 20);
    QTest::newRow("rising halves truncate") << qRgb(0, 0, 0) << qRgb(255, 1, 3) << 1 << 2 << qRgb(127, 0, 1);
    QTest::newRow("falling halves truncate toward zero")
        << qRgb(255, 1, 3) << qRgb(0, 0, 0) << 1 << 2 << qRgb(128, 1, 2);
    QTest::newRow("below the items wraps to 8 bits")
        << qRgb(255, 255, 0) << qRgb(255, 0, 255) << 4 << 3 << qRgb(255, 171, 84);
    QTest::newRow("no height: the start colour") << qRgb(1, 2, 3) << qRgb(200, 100, 50) << 5 << 0 << qRgb(1, 2, 3);
}

void BarPopupMenuTest::bandRowColor()
{
    QFETCH(QRgb, start);
    QFETCH(QRgb, end);
    QFETCH(int, y);
    QFETCH(int, menuHeight);
    QFETCH(QRgb, expected);
    QCOMPARE(TBarPopupMenu::bandRowColor(start, end, y, menuHeight), expected);
}

void BarPopupMenuTest::verticalTextOrigin_data()
{
    QTest::addColumn<int>("barWidth");
    QTest::addColumn<int>("textHeight");
    QTest::addColumn<int>("pictureHeightBelow");
    QTest::addColumn<QPoint>("expected");
    // The column is (barWidth - textHeight) / 2 - 0.5 rounded, halves to even, minus 1;
    // the row is 300 - 6 less the picture below.
    QTest::newRow("the program's band") << 22 << 19 << 0 << QPoint(0, 294);
    QTest::newRow("half to even, down") << 22 << 20 << 0 << QPoint(-1, 294);
    QTest::newRow("half to even, up") << 22 << 18 << 0 << QPoint(1, 294);
    QTest::newRow("default width") << 31 << 19 << 0 << QPoint(5, 294);
    QTest::newRow("text wider than the band") << 10 << 20 << 0 << QPoint(-7, 294);
    QTest::newRow("picture below") << 22 << 19 << 40 << QPoint(0, 254);
}

void BarPopupMenuTest::verticalTextOrigin()
{
    QFETCH(int, barWidth);
    QFETCH(int, textHeight);
    QFETCH(int, pictureHeightBelow);
    QFETCH(QPoint, expected);
    QCOMPARE(TBarPopupMenu::verticalTextOrigin(barWidth, textHeight, 300, -6, pictureHeightBelow), expected);
}

void BarPopupMenuTest::gradientRowsFollowTheFormula_data()
{
    QTest::addColumn<ColorValue>("start");
    QTest::addColumn<ColorValue>("end");
    QTest::addColumn<int>("barWidth");
    QTest::addColumn<QRgb>("startRgb");
    QTest::newRow("white to red") << White << Red << 22 << qRgb(255, 255, 255);
    QTest::newRow("the defaults: blue to black") << ColorValue(0x00FF0000) << ColorValue(0) << 31 << qRgb(0, 0, 255);
    QTest::newRow("system window colour to a plain one") << ColorValue(0xFF000005) << ColorValue(0x00336699) << 12
                                                         << QApplication::palette().color(QPalette::Base).rgb();
}

void BarPopupMenuTest::gradientRowsFollowTheFormula()
{
    QFETCH(ColorValue, start);
    QFETCH(ColorValue, end);
    QFETCH(int, barWidth);
    QFETCH(QRgb, startRgb);
    auto menu = menuOf(FiveItems, start, end, barWidth);
    const QImage image = insideMenuFrame(poppedUp(*menu));

    const int menuHeight = countedHeight(*menu);
    QCOMPARE(menu->MenuHeight(), menuHeight);
    QVERIFY(menu->BarPainted());
    QCOMPARE(menu->width(), menu->actionGeometry(menu->actions().first()).right() + 1 + MenuFrame);
    QCOMPARE(menu->actionGeometry(menu->actions().first()).left(), MenuFrame + barWidth);

    QString failure;
    QVERIFY2(stripFollowsFormula(image, 0, menuHeight, barWidth, startRgb, rgbOf(end), menuHeight, failure),
             qPrintable(failure));
    QCOMPARE(colorAt(image, 0, 0), startRgb | 0xFF000000);
    QCOMPARE(colorAt(image, 0, menuHeight), rgbOf(end) | 0xFF000000);

    // Nothing paints the two columns between the strip and the items.
    const QImage panel = insideMenuFrame(panelOf(*menu));
    for (int y = 0; y < image.height(); ++y) {
        for (int x : {barWidth - 2, barWidth - 1})
            QCOMPARE(colorAt(image, x, y), colorAt(panel, x, y));
    }
}

void BarPopupMenuTest::equalColoursAreOneSolidFill()
{
    const ColorValue color = 0x00336699;
    auto menu = menuOf(FiveItems, color, color);
    const QImage image = insideMenuFrame(poppedUp(*menu));
    const QImage panel = insideMenuFrame(panelOf(*menu));
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < menu->MenuHeight(); ++y)
            QCOMPARE(colorAt(image, x, y), qRgb(0x99, 0x66, 0x33));
        // One fill per item covers its own rows only, and no item lies below the last.
        QCOMPARE(colorAt(image, x, menu->MenuHeight()), colorAt(panel, x, menu->MenuHeight()));
    }
}

void BarPopupMenuTest::textStartsAtItsRow_data()
{
    QTest::addColumn<bool>("picture");
    QTest::addColumn<TBarPopupMenu::TBitmapVertAlignment>("alignment");
    QTest::addColumn<int>("shift");
    QTest::newRow("no picture") << false << TBarPopupMenu::bvaBottom << 0;
    QTest::newRow("picture at the bottom") << true << TBarPopupMenu::bvaBottom << 30;
    QTest::newRow("picture at the top") << true << TBarPopupMenu::bvaTop << 0;
    QTest::newRow("picture in the middle") << true << TBarPopupMenu::bvaMiddle << 0;
}

// Green text on a black band: the lowest green row is where the text starts, less the
// bearing of its first letter.
void BarPopupMenuTest::textStartsAtItsRow()
{
    QFETCH(bool, picture);
    QFETCH(TBarPopupMenu::TBitmapVertAlignment, alignment);
    QFETCH(int, shift);
    auto menu = menuOf(FiveItems + QStringList{"Beş", "Altı"}, 0, 0);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    font.setBold(true);
    menu->setVerticalFont({font, 0x0000FF00});
    menu->setVerticalText(QStringLiteral("Morvil"));
    if (picture) {
        QImage invisible(8, 30, QImage::Format_RGB32);
        invisible.fill(KeyBlue); // all of it the transparent colour
        menu->setBitmap(invisible);
        menu->setBitmapVertAlignment(alignment);
    }
    const QImage image = insideMenuFrame(poppedUp(*menu));

    int lowest = -1;
    int leftmost = menu->width();
    int rightmost = -1;
    for (int y = 0; y <= menu->MenuHeight(); ++y) {
        for (int x = 0; x < 20; ++x) {
            const QRgb pixel = colorAt(image, x, y);
            if (qGreen(pixel) > 60 && qRed(pixel) < 40 && qBlue(pixel) < 40) {
                lowest = std::max(lowest, y);
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    const QFontMetrics metrics(font);
    const int start = menu->MenuHeight() - 6 - shift;
    const int bearing = std::max(0, metrics.leftBearing(QLatin1Char('M')));
    QVERIFY2(lowest < start && lowest >= start - bearing - 2,
             qPrintable(QStringLiteral("the text's lowest row is %1, it starts at %2").arg(lowest).arg(start)));
    // Centred on the strip, one pixel left: the cell spans the text's line height.
    const int column = (22 - metrics.height()) / 2 - 1;
    QVERIFY(leftmost >= std::max(0, column - 1));
    QVERIFY(rightmost < column + 1 + metrics.height());
}

void BarPopupMenuTest::pictureAtItsAlignedPlace_data()
{
    QTest::addColumn<TBarPopupMenu::TBitmapVertAlignment>("vertical");
    QTest::addColumn<TBarPopupMenu::TBitmapHorzAlignment>("horizontal");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("transparent");
    QTest::newRow("top left") << TBarPopupMenu::bvaTop << TBarPopupMenu::bhaLeft << QPoint(0, 0) << true;
    QTest::newRow("bottom right, shifted")
        << TBarPopupMenu::bvaBottom << TBarPopupMenu::bhaRight << QPoint(-1, -3) << true;
    QTest::newRow("middle centre") << TBarPopupMenu::bvaMiddle << TBarPopupMenu::bhaCenter << QPoint(2, 5) << true;
    QTest::newRow("opaque") << TBarPopupMenu::bvaTop << TBarPopupMenu::bhaCenter << QPoint(0, 4) << false;
}

void BarPopupMenuTest::pictureAtItsAlignedPlace()
{
    QFETCH(TBarPopupMenu::TBitmapVertAlignment, vertical);
    QFETCH(TBarPopupMenu::TBitmapHorzAlignment, horizontal);
    QFETCH(QPoint, offset);
    QFETCH(bool, transparent);
    auto menu = menuOf(FiveItems);
    menu->setBitmap(pictureWithMark(KeyBlue));
    menu->setTransparent(transparent);
    menu->setBitmapVertAlignment(vertical);
    menu->setBitmapHorzAlignment(horizontal);
    menu->setBitmapOffsetX(offset.x());
    menu->setBitmapOffsetY(offset.y());
    const QImage image = insideMenuFrame(poppedUp(*menu));

    const int height = menu->MenuHeight();
    int top = offset.y();
    if (vertical == TBarPopupMenu::bvaBottom)
        top = height + offset.y() - 8;
    else if (vertical == TBarPopupMenu::bvaMiddle)
        top = (height - 8) / 2 + offset.y();
    int left = offset.x();
    if (horizontal == TBarPopupMenu::bhaRight)
        left = 20 + offset.x() - 6;
    else if (horizontal == TBarPopupMenu::bhaCenter)
        left = (20 - 6) / 2 + offset.x();

    QCOMPARE(colorAt(image, left + 1, top + 1), Green);
    const QRgb underKey = transparent ? formulaColor(rgbOf(White), rgbOf(Red), top + 2, height) : KeyBlue;
    QCOMPARE(colorAt(image, left + 2, top + 2), underKey | 0xFF000000);
}

void BarPopupMenuTest::hashItemIsNeitherCountedNorPainted_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("completed");
    QTest::newRow("between items: no bottom edge meets the reduced total") << QStringList{"Bir", "#", "İki"} << false;
    QTest::newRow("last: the item above it ends at the total") << QStringList{"Bir", "İki", "#"} << true;
}

void BarPopupMenuTest::hashItemIsNeitherCountedNorPainted()
{
    QFETCH(QStringList, captions);
    QFETCH(bool, completed);
    auto menu = menuOf(captions);
    QImage mark(4, 4, QImage::Format_RGB32);
    mark.fill(Green);
    menu->setBitmap(mark);
    menu->setTransparent(false);
    menu->setBitmapVertAlignment(TBarPopupMenu::bvaTop);
    const QImage image = insideMenuFrame(poppedUp(*menu));
    const auto inBand = [&menu](QAction *item) {
        return menu->actionGeometry(item).translated(-MenuFrame, -MenuFrame);
    };

    QAction *hash = menu->actions().at(captions.indexOf(QStringLiteral("#")));
    const QRect hashRect = inBand(hash);
    const int total = countedHeight(*menu);
    QCOMPARE(menu->MenuHeight(), total);
    QCOMPARE(total, menu->actionGeometry(menu->actions().at(0)).height() * 2);
    QCOMPARE(hashRect.left(), 22); // widened like every other item
    QCOMPARE(menu->BarPainted(), completed);
    QCOMPARE(colorAt(image, 1, 1) == Green, completed);

    const QImage panel = insideMenuFrame(panelOf(*menu));
    for (int y = hashRect.top(); y <= hashRect.bottom(); ++y) {
        for (int x = hashRect.left(); x <= hashRect.right(); ++x)
            QCOMPARE(colorAt(image, x, y), colorAt(panel, x, y));
    }
    // The items' rows follow the formula of the reduced total, also past it.
    QString failure;
    for (QAction *item : menu->actions()) {
        const QRect rect = inBand(item);
        if (item != hash && !(completed && rect.top() == 0)) // the picture covers the top-left corner
            QVERIFY2(
                stripFollowsFormula(image, rect.top(), rect.bottom() + 1, 22, rgbOf(White), rgbOf(Red), total, failure),
                qPrintable(failure));
    }
}

void BarPopupMenuTest::withoutTheBarItIsAPlainMenu()
{
    auto menu = menuOf({"Bir", "-", "İki"});
    menu->actions().at(2)->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    menu->setBarVisible(false);
    QMenu plain;
    plain.setSeparatorsCollapsible(false);
    plain.addActions(menu->actions());

    const QImage image = poppedUp(*menu);
    plain.popup(PopupPoint + QPoint(300, 0));
    const QImage plainImage = shownImage(plain);
    QCOMPARE(menu->size(), plain.size());
    QCOMPARE(image, plainImage);
    QCOMPARE(menu->MenuHeight(), 0);
}

void BarPopupMenuTest::laterRepaintsLeaveTheBandAlone()
{
    auto menu = menuOf(FiveItems);
    menu->setVerticalText(QStringLiteral("Morvil"));
    menu->setBitmap(pictureWithMark(KeyBlue));
    const QImage first = poppedUp(*menu);
    const QRect band(0, 0, MenuFrame + 22, menu->height());

    menu->setActiveAction(menu->actions().at(1));
    QCoreApplication::processEvents();
    const QImage highlighted = windowImage(menu.get());
    QVERIFY(highlighted != first); // the item was repainted
    QCOMPARE(highlighted.copy(band), first.copy(band));

    menu->update();
    QCoreApplication::processEvents();
    QCOMPARE(windowImage(menu.get()).copy(band), first.copy(band));
}

void BarPopupMenuTest::secondPopupRepaintsTheBandInFull()
{
#ifdef Q_OS_WIN
    QSKIP("under wine the band of a second popup is not reported painted in full; not yet understood");
#endif
    auto menu = menuOf(FiveItems);
    poppedUp(*menu);
    const int firstHeight = menu->MenuHeight();
    const int firstWidth = menu->width();
    menu->hide();

    // Only the menu's own properties change: the items are measured anew all the same.
    menu->setGradientEnd(0x0000FF00);
    menu->setBarWidth(30);
    QImage image = insideMenuFrame(poppedUp(*menu));
    QCOMPARE(menu->width(), firstWidth + 8);
    QCOMPARE(menu->actionGeometry(menu->actions().first()).left(), MenuFrame + 30);
    QCOMPARE(menu->MenuHeight(), firstHeight);
    QVERIFY(menu->BarPainted());
    QString failure;
    QVERIFY2(stripFollowsFormula(image, 0, firstHeight, 30, rgbOf(White), qRgb(0, 255, 0), firstHeight, failure),
             qPrintable(failure));
    menu->hide();

    menu->addAction(QStringLiteral("Beş"));
    image = insideMenuFrame(poppedUp(*menu));
    QVERIFY(menu->MenuHeight() > firstHeight);
    QCOMPARE(menu->MenuHeight(), countedHeight(*menu));
    QVERIFY2(stripFollowsFormula(image, 0, menu->MenuHeight(), 30, rgbOf(White), qRgb(0, 255, 0), menu->MenuHeight(),
                                 failure),
             qPrintable(failure));
}

void BarPopupMenuTest::subMenuHasNoBand()
{
    auto menu = menuOf({"Bir"});
    QMenu *sub = menu->addMenu(QStringLiteral("Alt"));
    sub->addAction(QStringLiteral("x"));
    sub->addAction(QStringLiteral("y"));
    poppedUp(*menu);
    menu->setActiveAction(sub->menuAction());
    QTest::keyClick(menu.get(), Qt::Key_Right);
    QVERIFY(QTest::qWaitForWindowExposed(sub));
    sub->setActiveAction(nullptr);
    const QImage subImage = shownImage(*sub);

    QMenu plain;
    plain.addActions(sub->actions());
    plain.popup(PopupPoint + QPoint(0, 300));
    QCOMPARE(sub->size(), plain.size());
    QCOMPARE(subImage, shownImage(plain));
}

void BarPopupMenuTest::theBandPointsAtTheItemOfItsRow()
{
    auto menu = menuOf(FiveItems);
    poppedUp(*menu);
    QAction *third = menu->actions().at(3);
    const int row = menu->actionGeometry(third).center().y();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, row), menu->mapToGlobal(QPointF(5, row)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(menu.get(), &move);
    QCOMPARE(menu->activeAction(), third);

    QSignalSpy triggered(third, &QAction::triggered);
    QTest::mouseClick(menu.get(), Qt::LeftButton, {}, QPoint(5, row));
    QCOMPARE(triggered.count(), 1);
}

// The frame runs round the whole menu, the band inside it, as the plain panel draws it.
void BarPopupMenuTest::frameSurroundsTheWholeMenu()
{
    auto menu = menuOf(FiveItems);
    menu->setVerticalText(QStringLiteral("Morvil 1.0 Beta"));
    const QImage image = poppedUp(*menu);
    const QImage panel = panelOf(*menu);
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (int y = 0; y <= bottom; ++y) {
        for (int x = 0; x <= right; ++x) {
            if (x == 0 || y == 0 || x == right || y == bottom)
                QVERIFY2(colorAt(image, x, y) == colorAt(panel, x, y),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
}

QTEST_MAIN(BarPopupMenuTest)
#include "tst_barpopupmenu.moc"
