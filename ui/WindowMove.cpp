#include "WindowMove.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {

const QString FollowerName = QStringLiteral("mouseFollower");

// Follows the mouse from a press on the surface it watches until no button is
// held. The press gave the surface the mouse, so its moves arrive there.
class MouseFollower : public QObject
{
public:
    MouseFollower(QWidget *window, QWidget *surface, QPointF pressGlobal)
        : QObject(surface), m_window(window), m_surface(surface), m_pressGlobal(pressGlobal),
          m_windowAtPress(window->pos())
    {
        setObjectName(FollowerName);
        surface->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // A release that went elsewhere (to a popup menu) shows as a move without buttons.
        if (mouse->buttons() == Qt::NoButton) {
            stop();
            return false;
        }
        if (event->type() == QEvent::MouseMove)
            m_window->move(m_windowAtPress + (mouse->globalPosition() - m_pressGlobal).toPoint());
        return false;
    }

private:
    void stop()
    {
        m_surface->removeEventFilter(this);
        setObjectName(QString());
        deleteLater();
    }

    QWidget *m_window;
    QWidget *m_surface;
    QPointF m_pressGlobal;
    QPoint m_windowAtPress;
};

} // namespace

void moveWithMouse(QWidget *window, QWidget *surface, Qt::MouseButton button, QPointF pressGlobal,
                   QPointF pressInWindow)
{
    // The system's move follows the left button only: a right press opens the
    // window's menu on X11, and the move would wait for a release that never comes.
    QWindow *handle = window->windowHandle();
    if (handle && button == Qt::LeftButton) {
        // A window manager may place the window where the program asked without
        // saying so (openbox, when it maps it): Qt then takes it for being at the
        // screen's corner and starts the move from a point off by the window's
        // place, and the window leaps. The press itself tells where the window is.
        const QPoint placed = (pressGlobal - pressInWindow).toPoint();
        if (handle->position() != placed)
            handle->setPosition(placed);
        if (handle->startSystemMove())
            return;
    }
    // A new press starts afresh: a double click presses twice.
    delete surface->findChild<QObject *>(FollowerName, Qt::FindDirectChildrenOnly);
    new MouseFollower(window, surface, pressGlobal);
}
