#pragma once

#include <QPointF>

class QWidget;

// Moves the window with the mouse after a press at pressGlobal on surface, until
// the mouse buttons are released: through the window system's own move where it
// offers one, otherwise by following the mouse's moves over surface itself.
void moveWithMouse(QWidget *window, QWidget *surface, QPointF pressGlobal);
