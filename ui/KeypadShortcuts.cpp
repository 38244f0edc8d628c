#include "KeypadShortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

KeypadShortcuts::KeypadShortcuts(QWidget *window) : QObject(window), m_window(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool KeypadShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *widget = qobject_cast<QWidget *>(watched);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!widget || widget->window() != m_window || !(key->modifiers() & Qt::KeypadModifier))
        return false;
    const QKeySequence pressed(key->keyCombination());
    for (QAction *action : m_window->actions()) {
        if (action->isEnabled() && action->shortcut() == pressed) {
            // Claiming the override keeps Qt's own matching off the key, which then arrives as a press.
            if (event->type() == QEvent::KeyPress)
                action->trigger();
            event->accept();
            return true;
        }
    }
    return false;
}
