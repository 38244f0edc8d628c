#pragma once

class QWidget;
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

// The X keycode of a note's key wherever the keyboard layout puts letters: the
// home row (keycodes 38-46) plays notes 0-8, the row above (24-32) notes 9-17.
constexpr unsigned keycodeOf(int note)
{
    return note < 9 ? 38 + unsigned(note) : 24 + unsigned(note - 9);
}

// Shows the window and gives it the keyboard focus, as no window manager does in
// the benchmarks' X server; false if it never gets the focus.
bool showWithFocus(QWidget &window, XTestKeyboard &keyboard);
