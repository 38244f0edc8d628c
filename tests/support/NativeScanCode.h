#pragma once

#include "KeyboardLayouts.h"

// The native scan code Qt reports for the key at an X keycode: the keycode itself on X11 and Wayland; on Windows
// the set-1 scan code, which for the letter rows is the evdev code, the X keycode less 8.
constexpr quint32 nativeScanCode(quint32 xKeycode)
{
    return NativeScanCodeSet == ScanCodeSet::Windows ? xKeycode - 8 : xKeycode;
}
