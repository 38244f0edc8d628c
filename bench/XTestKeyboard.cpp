#include "XTestKeyboard.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

XTestKeyboard::XTestKeyboard() : m_display(XOpenDisplay(nullptr))
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    m_usable = m_display && XTestQueryExtension(m_display, &eventBase, &errorBase, &major, &minor);
}

XTestKeyboard::~XTestKeyboard()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void XTestKeyboard::focus(unsigned long window)
{
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

void XTestKeyboard::press(unsigned keycode)
{
    XTestFakeKeyEvent(m_display, keycode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, keycode, False, CurrentTime);
    XFlush(m_display);
}

void XTestKeyboard::pressWith(unsigned heldKeycode, unsigned keycode)
{
    XTestFakeKeyEvent(m_display, heldKeycode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, keycode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, keycode, False, CurrentTime);
    XTestFakeKeyEvent(m_display, heldKeycode, False, CurrentTime);
    XFlush(m_display);
}
