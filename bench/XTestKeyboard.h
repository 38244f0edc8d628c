#pragma once

struct _XDisplay;

// Presses keys through the X server's test extension, the way a keyboard does:
// the events go to whichever window has the input focus, and the program sees
// real key events with their keycodes. The keyboard keeps a connection of its
// own, so one thread may press keys while another runs the window.
class XTestKeyboard
{
public:
    // Connects to the server named by $DISPLAY.
    XTestKeyboard();
    ~XTestKeyboard();
    XTestKeyboard(const XTestKeyboard &) = delete;
    XTestKeyboard &operator=(const XTestKeyboard &) = delete;

    // False without a server or without its test extension.
    bool isUsable() const { return m_usable; }

    // Gives the input focus to a mapped window (its X window id).
    void focus(unsigned long window);

    // Presses and releases the key with this X keycode.
    void press(unsigned keycode);
    // The same while holding the key with the other keycode (Ctrl is 37).
    void pressWith(unsigned heldKeycode, unsigned keycode);

private:
    _XDisplay *m_display = nullptr;
    bool m_usable = false;
};
