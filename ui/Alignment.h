#pragma once

#include <QRect>

class QWidget;

// How a control keeps to its parent, as the layout's "align" property gives it:
// "top" and "bottom" keep that edge and span the parent's width, "fill" takes the
// room the others leave. A control without it stays where it is placed.
enum class Alignment
{
    None,
    Top,
    Bottom,
    Fill
};

Alignment alignmentOf(const QWidget *control);

// Lays the parent's aligned, visible children out inside area (in the parent's
// coordinates): the top ones stacked down from its top edge in the order they
// were created, then the bottom ones up from its bottom edge, then the filling one.
void alignChildren(QWidget *parent, const QRect &area);
