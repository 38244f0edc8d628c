#pragma once

#include <QObject>

class QWidget;

// Runs the window's actions whose shortcuts are keypad keys (Ctrl+Numpad 5). Qt on
// X11 leaves the keypad out when it matches a key against shortcuts, so such a
// shortcut would never fire there; this filter, a child of the window installed on
// the application, matches the keypad's keys itself and takes them from Qt's
// matching everywhere, so that each runs its action once. Keys for other windows
// (dialogs, menus) are theirs.
class KeypadShortcuts : public QObject
{
    Q_OBJECT

public:
    explicit KeypadShortcuts(QWidget *window);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
