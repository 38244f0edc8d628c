#include "TBarPopupMenu.h"

#include "Colors.h"
#include "ErrorReport.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include <cmath>

namespace {

const QString HiddenCaption = QStringLiteral("#");

TBarPopupMenu::TextFont defaultVerticalFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(14);
    font.setBold(true);
    font.setItalic(true);
    return {font, Colors::White};
}

// The band's font as a rotated native font carries it: face, size, bold or normal
// weight, italic, underline, strike-out and pitch, and nothing else of the given font.
QFont rotatedFont(const QFont &font)
{
    QFont rotated(font.family());
    if (font.pixelSize() > 0)
        rotated.setPixelSize(font.pixelSize());
    else
        rotated.setPointSizeF(font.pointSizeF());
    rotated.setWeight(font.bold() ? QFont::Bold : QFont::Normal);
    rotated.setItalic(font.italic());
    rotated.setUnderline(font.underline());
    rotated.setStrikeOut(font.strikeOut());
    rotated.setFixedPitch(font.fixedPitch());
    return rotated;
}

// A rectangle's bottom edge as the band's arithmetic counts it: the first row below it.
int bottomEdge(const QRect &rect)
{
    return rect.top() + rect.height();
}

} // namespace

TBarPopupMenu::TBarPopupMenu(QWidget *owner)
    : QMenu(owner), m_verticalFont(defaultVerticalFont()), m_verticalText(applicationTitle())
{
    // Repaints after the band is complete leave its pixels where they are.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Every separator is shown and measured, also one next to another.
    setSeparatorsCollapsible(false);
    connect(this, &QMenu::aboutToShow, this, &TBarPopupMenu::prepareMeasuring);
}

void TBarPopupMenu::Popup(int X, int Y)
{
    popup(QPoint(X, Y));
}

const QImage &TBarPopupMenu::Bitmap()
{
    if (!m_bitmap)
        m_bitmap.emplace();
    return m_bitmap->image;
}

void TBarPopupMenu::setBitmap(const QImage &bitmap)
{
    if (!m_bitmap)
        m_bitmap.emplace();
    m_bitmap->image = bitmap;
}

bool TBarPopupMenu::Transparent() const
{
    return m_bitmap && m_bitmap->transparent;
}

void TBarPopupMenu::setTransparent(bool transparent)
{
    if (m_bitmap)
        m_bitmap->transparent = transparent;
}

QRgb TBarPopupMenu::bandRowColor(QRgb start, QRgb end, qint32 y, qint32 menuHeight)
{
    const auto component = [y, menuHeight](int from, int to) {
        if (menuHeight == 0)
            return from;
        // The product in 32 bits as the formula has it, wrapping rather than overflowing.
        const auto product = qint32(quint32(to - from) * quint32(y));
        return int((quint32(from) + quint32(product / menuHeight)) & 0xFF);
    };
    return qRgb(component(qRed(start), qRed(end)), component(qGreen(start), qGreen(end)),
                component(qBlue(start), qBlue(end)));
}

QPoint TBarPopupMenu::verticalTextOrigin(qint32 barWidth, int textHeight, qint32 menuHeight, qint32 textOffsetY,
                                         int pictureHeightBelow)
{
    // The text column is centred on the strip, a half rounding to the even integer
    // (the default rounding mode), then moved one pixel left.
    const int column = int(std::nearbyint((barWidth - textHeight) / 2.0 - 0.5));
    return {column - 1, menuHeight + textOffsetY - pictureHeightBelow};
}

// Connected first to the popup notification, so it runs before the toolkit lays the
// items out: the band's width takes effect and every item is measured anew.
void TBarPopupMenu::prepareMeasuring()
{
    // The extra row below the items shows the band's last row.
    const int frame = uncountedFrame();
    setContentsMargins(frame + (m_barVisible ? m_barWidth : 0), frame, frame, frame + (m_barVisible ? 1 : 0));
    QEvent remeasure(QEvent::StyleChange);
    QCoreApplication::sendEvent(this, &remeasure);
}

void TBarPopupMenu::showEvent(QShowEvent *event)
{
    QMenu::showEvent(event);
    startBand();
}

// The menu re-laid out while open gets its band painted anew, as at a popup.
void TBarPopupMenu::resizeEvent(QResizeEvent *event)
{
    QMenu::resizeEvent(event);
    if (isVisible()) {
        startBand();
        update();
    }
}

void TBarPopupMenu::startBand()
{
    m_menuHeight = 0;
    m_barPainted = false;
    for (QAction *item : actions())
        BarMeasureItem(item);
}

void TBarPopupMenu::BarMeasureItem(QAction *item)
{
    if (m_barVisible && item->isVisible() && item->text() != HiddenCaption)
        m_menuHeight += actionGeometry(item).height();
}

// The band lies inside the menu's frame, which runs round band and items alike.
// Some styles (Fusion) draw a one-pixel frame with the panel but count it in no
// margin, so that the band would cover it: the menu keeps that pixel free itself.
int TBarPopupMenu::uncountedFrame() const
{
    return m_barVisible && style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this) == 0 ? 1 : 0;
}

// The top-left corner of the band, where the band's coordinates start; the items
// begin BarWidth to the right of it.
QPoint TBarPopupMenu::bandOrigin() const
{
    const int frame = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this) + uncountedFrame();
    return {frame + style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, this),
            frame + style()->pixelMetric(QStyle::PM_MenuVMargin, nullptr, this)};
}

QRect TBarPopupMenu::bandColumns() const
{
    return QRect(bandOrigin().x(), 0, m_barWidth, height());
}

void TBarPopupMenu::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    QRegion area = event->region();
    if (m_barPainted)
        area -= bandColumns();
    painter.setClipRegion(area);

    QStyleOptionMenuItem panel;
    panel.initFrom(this);
    panel.state = QStyle::State_None;
    panel.checkType = QStyleOptionMenuItem::NotCheckable;
    panel.maxIconWidth = 0;
    panel.reservedShortcutWidth = 0;
    style()->drawPrimitive(QStyle::PE_PanelMenu, &panel, &painter, this);

    QRegion emptyArea = area;
    for (QAction *item : actions()) {
        QRect itemRect = actionGeometry(item);
        if (itemRect.isEmpty())
            continue;
        emptyArea -= itemRect;
        if (m_barVisible)
            itemRect.setLeft(itemRect.left() - m_barWidth);
        BarAdvancedDrawItem(painter, item, itemRect, area);
    }

    if (const int frame = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this)) {
        const QRegion border = QRegion(rect()) - rect().adjusted(frame, frame, -frame, -frame);
        painter.setClipRegion(area & border);
        emptyArea -= border;
        QStyleOptionFrame frameOption;
        frameOption.initFrom(this);
        frameOption.rect = rect();
        frameOption.state = QStyle::State_None;
        frameOption.lineWidth = frame;
        frameOption.midLineWidth = 0;
        style()->drawPrimitive(QStyle::PE_FrameMenu, &frameOption, &painter, this);
    }

    painter.setClipRegion(emptyArea);
    panel.menuItemType = QStyleOptionMenuItem::EmptyArea;
    panel.rect = rect();
    panel.menuRect = rect();
    style()->drawControl(QStyle::CE_MenuEmptyArea, &panel, &painter, this);
}

// itemRect is the whole first-level item, the band's columns included; area is what
// this paint may touch.
void TBarPopupMenu::BarAdvancedDrawItem(QPainter &painter, QAction *item, const QRect &itemRect, const QRegion &area)
{
    if (item->text() == HiddenCaption)
        return;

    QRect lookRect = itemRect;
    if (m_barVisible)
        lookRect.setLeft(lookRect.left() + m_barWidth);
    QStyleOptionMenuItem look;
    initStyleOption(&look, item);
    look.rect = lookRect;
    painter.setClipRegion(area & lookRect);
    style()->drawControl(QStyle::CE_MenuItem, &look, &painter, this);

    if (!m_barVisible || m_barPainted)
        return;
    painter.save();
    painter.setClipRegion(area);
    const QPoint origin = bandOrigin();
    painter.translate(origin);
    const QRect bandRect = itemRect.translated(-origin);
    paintStrip(painter, bandRect);
    paintText(painter, bandRect);
    if (m_menuHeight == bottomEdge(bandRect)) {
        m_barPainted = true;
        drawPicture(painter);
    }
    painter.restore();
}

// The strip of one item: its rows and the first row below it, which the next item
// paints again. A row's colour follows its place in the whole menu.
void TBarPopupMenu::paintStrip(QPainter &painter, const QRect &itemRect) const
{
    const int stripWidth = m_barWidth - 2;
    if (m_gradientStart == m_gradientEnd) {
        painter.fillRect(QRect(0, itemRect.top(), stripWidth, itemRect.height()), toQColor(m_gradientStart));
        return;
    }
    const QRgb start = toQColor(m_gradientStart).rgb();
    const QRgb end = toQColor(m_gradientEnd).rgb();
    for (int y = itemRect.top(); y <= bottomEdge(itemRect); ++y)
        painter.fillRect(QRect(0, y, stripWidth, 1), QColor(bandRowColor(start, end, y, m_menuHeight)));
}

// The item's slice of the text: the whole line is output, clipped to the item's rows
// and the row below them, so that the items together show it all.
void TBarPopupMenu::paintText(QPainter &painter, const QRect &itemRect) const
{
    const QFont font = rotatedFont(m_verticalFont.font);
    const QFontMetrics metrics(font);
    const bool pictureBelow = m_bitmap && m_bitmapVertAlignment == bvaBottom;
    const QPoint origin = verticalTextOrigin(m_barWidth, metrics.height(), m_menuHeight, m_verticalTextOffsetY,
                                             pictureBelow ? m_bitmap->image.height() : 0);
    painter.save();
    painter.setClipRect(QRect(itemRect.left(), itemRect.top(), itemRect.width(), itemRect.height() + 1),
                        Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(toQColor(m_verticalFont.color));
    painter.translate(origin);
    // Turned a quarter counter-clockwise: the text runs upwards, the tops of its
    // letters to the left, and its cell lies to the right of the output point.
    painter.rotate(-90);
    painter.drawText(QPoint(0, metrics.ascent()), m_verticalText);
    painter.restore();
}

void TBarPopupMenu::drawPicture(QPainter &painter) const
{
    if (!m_bitmap || m_bitmap->image.isNull())
        return;
    const QImage &image = m_bitmap->image;
    int top = m_bitmapOffsetY;
    if (m_bitmapVertAlignment == bvaBottom)
        top = m_menuHeight + m_bitmapOffsetY - image.height();
    else if (m_bitmapVertAlignment == bvaMiddle)
        top = (m_menuHeight - image.height()) / 2 + m_bitmapOffsetY;
    int left = m_bitmapOffsetX;
    if (m_bitmapHorzAlignment == bhaRight)
        left = m_barWidth - 2 + m_bitmapOffsetX - image.width();
    else if (m_bitmapHorzAlignment == bhaCenter)
        left = (m_barWidth - 2 - image.width()) / 2 + m_bitmapOffsetX;

    QPixmap picture = QPixmap::fromImage(image);
    if (m_bitmap->transparent)
        picture.setMask(picture.createMaskFromColor(image.pixelColor(0, image.height() - 1), Qt::MaskInColor));
    painter.drawPixmap(left, top, picture);
}

// The band belongs to the items beside it: the pointer over it points at the item of
// its row.
QMouseEvent TBarPopupMenu::besideBand(const QMouseEvent &event) const
{
    QPointF position = event.position();
    const int itemsLeft = bandOrigin().x() + (m_barVisible ? m_barWidth : 0);
    if (position.x() >= 0 && position.x() < itemsLeft)
        position.setX(itemsLeft);
    return QMouseEvent(event.type(), position, event.scenePosition(), event.globalPosition(), event.button(),
                       event.buttons(), event.modifiers(), event.pointingDevice());
}

void TBarPopupMenu::mousePressEvent(QMouseEvent *event)
{
    QMouseEvent inItems = besideBand(*event);
    QMenu::mousePressEvent(&inItems);
    event->setAccepted(inItems.isAccepted());
}

void TBarPopupMenu::mouseMoveEvent(QMouseEvent *event)
{
    QMouseEvent inItems = besideBand(*event);
    QMenu::mouseMoveEvent(&inItems);
    event->setAccepted(inItems.isAccepted());
}

void TBarPopupMenu::mouseReleaseEvent(QMouseEvent *event)
{
    QMouseEvent inItems = besideBand(*event);
    QMenu::mouseReleaseEvent(&inItems);
    event->setAccepted(inItems.isAccepted());
}
