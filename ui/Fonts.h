#pragma once

#include <QFont>

// The design's fonts are Windows faces; elsewhere the metric-compatible free faces
// stand in for them, so texts keep their widths.
void installFontSubstitutes();

// A font of the given character height in pixels, as the design gives it.
QFont designFont(const QString &family, int pixelHeight, bool bold);
