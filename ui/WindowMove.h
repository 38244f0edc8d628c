#pragma once

#include <QPointF>

class QWidget;

// Moves the window with the mouse after a press of button on surface, at
// pressGlobal on the screen and pressInWindow in the window, until the mouse
// buttons are released: through the window system's own move where it offers one
// for the button, otherwise by following the mouse's moves over surface itself.
void moveWithMouse(QWidget *window, QWidget *surface, Qt::MouseButton button, QPointF pressGlobal,
                   QPointF pressInWindow);
