#include "MenuImages.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyleOptionMenuItem>
#include <QWidget>

#include <cstdint>

QImage windowImage(QWidget *window)
{
    return window->screen()->grabWindow(window->winId()).toImage();
}

QImage panelOf(const QMenu &menu)
{
    QImage image(menu.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    QStyleOptionMenuItem option;
    option.initFrom(&menu);
    option.state = QStyle::State_None;
    menu.style()->drawPrimitive(QStyle::PE_PanelMenu, &option, &painter, &menu);
    return image;
}

QImage insideMenuFrame(const QImage &image)
{
    return image.copy(MenuFrame, MenuFrame, image.width() - 2 * MenuFrame, image.height() - 2 * MenuFrame);
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
