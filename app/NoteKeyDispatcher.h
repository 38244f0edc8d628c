#pragma once

#include "KeyboardLayouts.h"

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QKeyEvent;
class QWidget;

// Plays the notes from the keyboard. Installed on the application, it sees every key
// press for the main window before the focused control does: a key without Shift,
// Ctrl, Alt, AltGr or Meta whose position, read under the Turkish layout of the table in force,
// gives the code a note action carries triggers that action, and the control sees
// neither the key nor its character. Keys are matched by position so that the notes
// stay on the two letter rows whatever layout the system uses. Every key press plays,
// auto-repeat included; all other keys, the Ctrl shortcuts of the menu among them,
// go their usual way.
class NoteKeyDispatcher : public QObject
{
    Q_OBJECT

public:
    // noteActions[n] plays note n. activeTable tells which table's layout the keys are
    // read under; codeOfNote(n) is the virtual-key code that note n's action carries
    // (0 for none). Both are asked at every key press. The dispatcher is a child of
    // window and installs itself on the application.
    NoteKeyDispatcher(QWidget *window, QList<QAction *> noteActions, std::function<KeyboardTable()> activeTable,
                      std::function<int(int note)> codeOfNote);

    bool eventFilter(QObject *watched, QEvent *event) override;

    // The note action a key press plays under the table in force, or null.
    QAction *noteActionFor(const QKeyEvent &key) const;

private:
    QWidget *m_window;
    QList<QAction *> m_noteActions;
    std::function<KeyboardTable()> m_activeTable;
    std::function<int(int note)> m_codeOfNote;
};
