#pragma once

#include "ColorValue.h"

#include <QColor>
#include <QPalette>

class QWidget;

// Colours the window's design uses, as 0x00BBGGRR values.
namespace Colors {
inline constexpr ColorValue Black = 0x00000000;
inline constexpr ColorValue White = 0x00FFFFFF;
inline constexpr ColorValue TitleBar = 0x00ACC1C1;
inline constexpr ColorValue TitleText = 0x00547272;
inline constexpr ColorValue Panel = 0x00C2D1D1;
inline constexpr ColorValue NoteText = 0x00AE5700;
inline constexpr ColorValue ListHeading = 0x00DDE6E6;
inline constexpr ColorValue WindowBackground = 0xFF000005;
inline constexpr ColorValue WindowText = 0xFF000008;
inline constexpr ColorValue ButtonFace = 0xFF00000F;
inline constexpr ColorValue ButtonShadow = 0x00808080;
} // namespace Colors

// The colour to draw: a plain value is 0x00BBGGRR, a system colour is looked up
// in the application's palette.
QColor toQColor(ColorValue value);
// The plain 0x00BBGGRR value of a drawn colour.
ColorValue fromQColor(const QColor &color);

// Sets one role of a widget's palette, in every colour group.
void setPaletteColor(QWidget *widget, QPalette::ColorRole role, ColorValue value);
// Sets the background of a widget that paints it from its palette.
void setBackground(QWidget *widget, ColorValue value);
void setForeground(QWidget *widget, ColorValue value);

// For a panel that is disabled only to keep the mouse from its controls: while it
// is disabled they are drawn in their normal colours, not greyed.
void keepLookWhenDisabled(QWidget *panel);
