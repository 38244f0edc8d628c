#include "Zoom.h"

#include <algorithm>

namespace {

constexpr int PointsPerInch = 72;
constexpr int PixelsPerInch = 96;

} // namespace

const ZoomLevel *zoomLevelOf(qint32 viewScale)
{
    const auto level = std::find_if(ZoomLevels.begin(), ZoomLevels.end(),
                                    [viewScale](const ZoomLevel &zoom) { return zoom.viewScale == viewScale; });
    return level == ZoomLevels.end() ? nullptr : &*level;
}

int mulDiv(int number, int numerator, int denominator)
{
    Q_ASSERT(denominator != 0);
    const qint64 product = qint64(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const qint64 dividend = product < 0 ? -product : product;
    const qint64 divisor = denominator < 0 ? -qint64(denominator) : qint64(denominator);
    const qint64 rounded = (2 * dividend + divisor) / (2 * divisor);
    return int(negative ? -rounded : rounded);
}

QRect scaledRect(const QRect &rect, int numerator, int denominator)
{
    const int left = mulDiv(rect.left(), numerator, denominator);
    const int top = mulDiv(rect.top(), numerator, denominator);
    const int width = mulDiv(rect.left() + rect.width(), numerator, denominator) - left;
    const int height = mulDiv(rect.top() + rect.height(), numerator, denominator) - top;
    return QRect(left, top, width, height);
}

int scaledFontSize(int points, int numerator, int denominator)
{
    return mulDiv(points, numerator, denominator);
}

int scaledFontPixelHeight(int pixelHeight, int numerator, int denominator)
{
    const int points = mulDiv(pixelHeight, PointsPerInch, PixelsPerInch);
    return mulDiv(scaledFontSize(points, numerator, denominator), PixelsPerInch, PointsPerInch);
}

QPoint centredOn(const QRect &screen, const QSize &window)
{
    return screen.topLeft() + QPoint(std::max(0, (screen.width() - window.width()) / 2),
                                     std::max(0, (screen.height() - window.height()) / 2));
}
