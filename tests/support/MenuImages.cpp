#include "MenuImages.h"

#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <cstdint>

QImage windowImage(QWidget *window)
{
    return window->screen()->grabWindow(window->winId()).toImage();
}

QRgb colorAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000;
}

QRgb formulaColor(QRgb start, QRgb end, int y, int menuHeight)
{
    const auto component = [&](int from, int to) {
        const std::int64_t quotient = std::int64_t(to - from) * y / menuHeight;
        return int(((from + quotient) % 256 + 256) % 256);
    };
    return qRgb(component(qRed(start), qRed(end)), component(qGreen(start), qGreen(end)),
                component(qBlue(start), qBlue(end)));
}
