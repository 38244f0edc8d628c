#include "XTestKeyboard.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <thread>

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

namespace {

// Handles events until done() holds or the time is up; the window needs a few
// round trips to the X server before it is mapped and focused.
template <typename Condition> bool processEventsUntil(Condition done, std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

} // namespace

bool showWithFocus(QWidget &window, XTestKeyboard &keyboard)
{
    window.show();
    if (!processEventsUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); },
                            std::chrono::seconds(10)))
        return false;
    keyboard.focus(window.winId());
    const auto focused = [&] { return QGuiApplication::focusWindow() == window.windowHandle(); };
    if (!processEventsUntil(focused, std::chrono::seconds(10)))
        return false;
    // Settle, then make sure nothing took the focus away again.
    processEventsUntil([] { return false; }, std::chrono::milliseconds(300));
    return focused();
}
