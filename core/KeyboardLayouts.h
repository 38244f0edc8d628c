#pragma once

#include "NoteTable.h"

#include <QString>
#include <QtGlobal>
#include <array>

// The two shortcut tables of the note actions, and the Turkish keyboard layout
// each of them is laid out for.
enum class KeyboardTable
{
    Q,
    F
};

// How a platform numbers the physical keys in QKeyEvent::nativeScanCode():
// X11 and Wayland give the X keycode (evdev code + 8), Windows the set-1 scan code.
enum class ScanCodeSet
{
    X11,
    Windows
};

#ifdef Q_OS_WIN
inline constexpr ScanCodeSet NativeScanCodeSet = ScanCodeSet::Windows;
#else
inline constexpr ScanCodeSet NativeScanCodeSet = ScanCodeSet::X11;
#endif

// The Windows virtual-key code that plays each note, notes 0 ... 17 in order.
std::array<int, NoteCount> shortcutTable(KeyboardTable table);

// The virtual-key code that Windows reports for the key at this physical position
// when the table's own Turkish layout is active; 0 for a position that is no key
// of the two letter rows the notes lie on.
int virtualKeyAt(quint32 nativeScanCode, KeyboardTable table, ScanCodeSet scanCodes = NativeScanCodeSet);

// What a shortcut's key is called under the table's layout: the capital letter for
// 65 ... 90, the character the key types for the other keys of the two letter rows
// ("İ" for 219 under Turkish F), empty for 0 and for codes of no such key.
QString keyName(int code, KeyboardTable table);

// A note button's hint: the action's hint, a space and the key's name in
// parentheses ("Kısayol ->  (A)"); the hint alone when it is empty or the key has no name.
QString noteButtonHint(const QString &actionHint, int code, KeyboardTable table);
