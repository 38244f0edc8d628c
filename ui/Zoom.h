#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

#include <array>

// One zoom level of the window: its percentage (ViewScale holds 0 for 100) and the
// window's outer heights with the note list hidden and shown at that level.
struct ZoomLevel
{
    qint32 viewScale;
    int percent;
    int hiddenHeight;
    int shownHeight;
};

inline constexpr std::array<ZoomLevel, 7> ZoomLevels = {{
    {80, 80, 124, 322},
    {90, 90, 139, 363},
    {0, 100, 154, 400},
    {110, 110, 169, 445},
    {125, 125, 192, 500},
    {150, 150, 230, 602},
    {200, 200, 306, 800},
}};

// The level whose ViewScale is this one, or null for a value outside the table.
const ZoomLevel *zoomLevelOf(qint32 viewScale);

// The zoom's one rounding: number · numerator / denominator to the nearest
// integer, halves away from zero. The denominator is not 0.
int mulDiv(int number, int numerator, int denominator);

// A control's rectangle in its parent's coordinates, scaled. The far edges are
// scaled from left + width and top + height, so neighbours that touched still do.
QRect scaledRect(const QRect &rect, int numerator, int denominator);

// A font size in whole points, scaled.
int scaledFontSize(int points, int numerator, int denominator);

// The same for a font given by its character height in pixels at 96 pixels per
// inch, as the design gives them: converted to points, scaled, and back.
int scaledFontPixelHeight(int pixelHeight, int numerator, int denominator);

// The top-left corner that centres a window of this size on the screen with this
// geometry: each half rounded towards zero, and never left of or above the screen.
QPoint centredOn(const QRect &screen, const QSize &window);
