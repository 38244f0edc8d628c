#include "Edges.h"

#include "Colors.h"

#include <QPainter>

void drawEdge(QPainter &painter, const QRect &rect, Edge edge)
{
    const QRect outline = rect.adjusted(0, 0, -1, -1);
    const QColor light = Qt::white;
    const QColor dark = toQColor(Colors::ButtonShadow);
    painter.setPen(edge == Edge::Raised ? light : dark);
    painter.drawLine(outline.topLeft(), outline.topRight());
    painter.drawLine(outline.topLeft(), outline.bottomLeft());
    painter.setPen(edge == Edge::Raised ? dark : light);
    painter.drawLine(outline.bottomLeft(), outline.bottomRight());
    painter.drawLine(outline.topRight(), outline.bottomRight());
}
