#pragma once

#include <QImage>
#include <QRgb>

class QMenu;
class QWidget;

// What a shown top-level window shows on the offscreen platform: its backing store as
// every paint so far has left it, partial repaints included.
QImage windowImage(QWidget *window);

// A menu's background as its style paints it with nothing on it.
QImage panelOf(const QMenu &menu);

// The frame of a menu with a band: one pixel round band and items alike. The
// band's coordinates start inside it.
inline constexpr int MenuFrame = 1;
QImage insideMenuFrame(const QImage &image);

// The colour of a pixel without its alpha.
QRgb colorAt(const QImage &image, int x, int y);

// A band row's colour by the gradient formula, computed here on its own terms: each
// component start + (end - start) * y / menuHeight, the quotient truncated toward
// zero, taken modulo 256.
QRgb formulaColor(QRgb start, QRgb end, int y, int menuHeight);
