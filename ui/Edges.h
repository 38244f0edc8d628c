#pragma once

#include <QRect>

class QPainter;

enum class Edge { Raised, Sunken };

// The one-pixel 3D edge of panels and buttons: light on the top and left, dark
// on the bottom and right for a raised one, the other way round for a sunken one.
void drawEdge(QPainter &painter, const QRect &rect, Edge edge);
