#include "NoteKeyDispatcher.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

NoteKeyDispatcher::NoteKeyDispatcher(QWidget *window, QList<QAction *> noteActions,
                                     std::function<KeyboardTable()> activeTable,
                                     std::function<int(int note)> codeOfNote)
    : QObject(window), m_window(window), m_noteActions(std::move(noteActions)), m_activeTable(std::move(activeTable)),
      m_codeOfNote(std::move(codeOfNote))
{
    Q_ASSERT(m_noteActions.size() == NoteCount);
    QCoreApplication::instance()->installEventFilter(this);
}

bool NoteKeyDispatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    // Keys for a dialog, a message box or an open popup menu are theirs.
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    QAction *action = noteActionFor(*static_cast<QKeyEvent *>(event));
    if (!action || !action->isEnabled())
        return false;
    // Claiming the override keeps any Qt shortcut on the same key from taking it, so
    // the key arrives here again as a press.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    action->trigger();
    return true;
}

QAction *NoteKeyDispatcher::noteActionFor(const QKeyEvent &key) const
{
    // A note key plays only with no modifier held: AltGr (reported on X11 as the
    // group switch; on Windows it arrives as Ctrl+Alt) and the Windows key count too.
    constexpr Qt::KeyboardModifiers Held =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::GroupSwitchModifier;
    if (key.modifiers() & Held)
        return nullptr;
    const int code = virtualKeyAt(key.nativeScanCode(), m_activeTable());
    if (code == 0)
        return nullptr;
    for (int note = 0; note < m_noteActions.size(); ++note) {
        if (m_codeOfNote(note) == code)
            return m_noteActions.at(note);
    }
    return nullptr;
}
