#pragma once

#include "ColorValue.h"

#include <QFont>
#include <QImage>
#include <QMenu>

#include <optional>

// A popup menu whose first level carries a band down its left edge: a colour
// gradient from top to bottom (or one solid colour), a line of text turned to read
// upwards, and optionally a picture. Every first-level item is widened by the band
// and keeps the toolkit's own look beside it; sub-menus are ordinary menus.
//
// Each popup measures the items anew and paints the band once, slice by slice with
// the items of the first full paint; the item whose bottom edge is the summed height
// completes it and draws the picture. Later repaints of the items leave the band as
// it is until the next popup. The band's rows are counted from the top of the items;
// its last row, the summed height itself, lies just below them, so the menu is one
// row taller while the band is visible.
class TBarPopupMenu : public QMenu
{
    Q_OBJECT

public:
    enum TBitmapVertAlignment
    {
        bvaTop,
        bvaBottom,
        bvaMiddle
    };
    enum TBitmapHorzAlignment
    {
        bhaLeft,
        bhaRight,
        bhaCenter
    };

    // The band text's font and the colour it is drawn in.
    struct TextFont
    {
        QFont font;
        ColorValue color;
    };

    explicit TBarPopupMenu(QWidget *owner = nullptr);

    // Opens the menu with its top-left corner at the screen point (X, Y).
    void Popup(int X, int Y);

    // Reading creates the picture, empty and transparent, when there is none.
    const QImage &Bitmap();
    // Creates the picture, transparent, when there is none, then copies the given one into it.
    void setBitmap(const QImage &bitmap);
    // The picture's transparency: false while there is no picture; without one, setting it
    // is dropped. A transparent picture leaves out the colour of its bottom-left pixel.
    bool Transparent() const;
    void setTransparent(bool transparent);

    qint32 BarWidth() const { return m_barWidth; }
    void setBarWidth(qint32 width) { m_barWidth = width; }
    qint32 BitmapOffsetX() const { return m_bitmapOffsetX; }
    void setBitmapOffsetX(qint32 offset) { m_bitmapOffsetX = offset; }
    qint32 BitmapOffsetY() const { return m_bitmapOffsetY; }
    void setBitmapOffsetY(qint32 offset) { m_bitmapOffsetY = offset; }
    TBitmapVertAlignment BitmapVertAlignment() const { return m_bitmapVertAlignment; }
    void setBitmapVertAlignment(TBitmapVertAlignment alignment) { m_bitmapVertAlignment = alignment; }
    TBitmapHorzAlignment BitmapHorzAlignment() const { return m_bitmapHorzAlignment; }
    void setBitmapHorzAlignment(TBitmapHorzAlignment alignment) { m_bitmapHorzAlignment = alignment; }
    bool BarVisible() const { return m_barVisible; }
    void setBarVisible(bool visible) { m_barVisible = visible; }
    ColorValue GradientStart() const { return m_gradientStart; }
    void setGradientStart(ColorValue color) { m_gradientStart = color; }
    ColorValue GradientEnd() const { return m_gradientEnd; }
    void setGradientEnd(ColorValue color) { m_gradientEnd = color; }
    const TextFont &VerticalFont() const { return m_verticalFont; }
    void setVerticalFont(const TextFont &font) { m_verticalFont = font; }
    QString VerticalText() const { return m_verticalText; }
    void setVerticalText(const QString &text) { m_verticalText = text; }
    qint32 VerticalTextOffsetY() const { return m_verticalTextOffsetY; }
    void setVerticalTextOffsetY(qint32 offset) { m_verticalTextOffsetY = offset; }

    // The current popup's state: the summed height of the counted first-level items,
    // and whether the band has been completed.
    qint32 MenuHeight() const { return m_menuHeight; }
    bool BarPainted() const { return m_barPainted; }

    // The colour of band row y of a menu menuHeight rows high: each component
    // start + ((end - start) * y) / menuHeight in 32-bit integers, truncated toward
    // zero, its low 8 bits kept. Without a height it is the start colour.
    static QRgb bandRowColor(QRgb start, QRgb end, qint32 y, qint32 menuHeight);
    // Where the rotated text is output, in the band's coordinates: the text column,
    // textHeight wide, starts there and runs upwards from that row. pictureHeightBelow
    // is the height of a bottom-aligned picture, 0 for none.
    static QPoint verticalTextOrigin(qint32 barWidth, int textHeight, qint32 menuHeight, qint32 textOffsetY,
                                     int pictureHeightBelow);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Picture
    {
        QImage image;
        bool transparent = true;
    };

    void prepareMeasuring();
    void startBand();
    void BarMeasureItem(QAction *item);
    void BarAdvancedDrawItem(QPainter &painter, QAction *item, const QRect &itemRect, const QRegion &area);
    void paintStrip(QPainter &painter, const QRect &itemRect) const;
    void paintText(QPainter &painter, const QRect &itemRect) const;
    void drawPicture(QPainter &painter) const;
    int uncountedFrame() const;
    QPoint bandOrigin() const;
    QRect bandColumns() const;
    QMouseEvent besideBand(const QMouseEvent &event) const;

    std::optional<Picture> m_bitmap;
    qint32 m_barWidth = 31;
    qint32 m_bitmapOffsetX = 0;
    qint32 m_bitmapOffsetY = 0;
    TBitmapVertAlignment m_bitmapVertAlignment = bvaBottom;
    TBitmapHorzAlignment m_bitmapHorzAlignment = bhaLeft;
    bool m_barVisible = true;
    ColorValue m_gradientStart = 0x00FF0000;
    ColorValue m_gradientEnd = 0x00000000;
    TextFont m_verticalFont;
    QString m_verticalText;
    qint32 m_verticalTextOffsetY = -6;

    qint32 m_menuHeight = 0;
    bool m_barPainted = false;
};
