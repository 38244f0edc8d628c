#include "Bevel.h"

#include "Colors.h"

#include <QPainter>

Bevel::Bevel(QWidget *parent) : QWidget(parent) {}

void Bevel::setShape(Shape shape)
{
    m_shape = shape;
    update();
}

void Bevel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor shadow = toQColor(Colors::ButtonShadow);
    if (m_shape == TopLine) {
        painter.setPen(shadow);
        painter.drawLine(0, 0, width() - 1, 0);
        painter.setPen(Qt::white);
        painter.drawLine(0, 1, width() - 1, 1);
        return;
    }
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    painter.setPen(shadow);
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(outer.adjusted(1, 1, 0, 0));
}
