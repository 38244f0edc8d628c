// How long does the popup menu take to appear? Builds the real main window, right-
// clicks a note button through the X test extension 50 times, and times each popup
// from the moment the right-button press reaches the program to the end of the menu's
// first complete paint, the one that finishes its band. Run it through bench/popup.sh,
// which provides an X server.

#include "Application.h"
#include "BenchWindow.h"
#include "TBarPopupMenu.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int Popups = 50;
constexpr auto Patience = std::chrono::seconds(5);

// Notes when the right button's press arrives and when the menu's band is complete.
class PopupClock : public QObject
{
public:
    explicit PopupClock(TBarPopupMenu &menu) : m_menu(menu) { QCoreApplication::instance()->installEventFilter(this); }

    void reset()
    {
        pressed.reset();
        painted.reset();
    }

    std::optional<Clock::time_point> pressed;
    std::optional<Clock::time_point> painted;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress && !pressed &&
            static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            pressed = Clock::now();
        if (watched != &m_menu || event->type() != QEvent::Paint || painted)
            return false;
        // The paint runs here, so that its end can be timed.
        static_cast<QObject &>(m_menu).event(event);
        if (m_menu.BarPainted())
            painted = Clock::now();
        return true;
    }

private:
    TBarPopupMenu &m_menu;
};

template <typename Condition> bool processEventsUntil(Condition done)
{
    const auto deadline = Clock::now() + Patience;
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

void rightClick(Display *display, QPoint at)
{
    XTestFakeMotionEvent(display, -1, at.x(), at.y(), CurrentTime);
    XTestFakeButtonEvent(display, 3, True, CurrentTime);
    XTestFakeButtonEvent(display, 3, False, CurrentTime);
    XFlush(display);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    Display *display = XOpenDisplay(nullptr);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!display || !XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        std::fprintf(stderr, "popup: needs an X server with the XTEST extension\n");
        return 1;
    }

    BenchWindow window;
    TForm1 &form = window.form;
    form.move(100, 100);
    form.show();
    auto *menu = form.findChild<TBarPopupMenu *>(QStringLiteral("BarPopupMenu1"));
    if (!processEventsUntil([&] { return form.windowHandle()->isExposed(); })) {
        std::fprintf(stderr, "popup: the window was never shown\n");
        return 1;
    }
    // Two buttons in turn, so that no click is the second of a double click.
    QPoint targets[2];
    for (int i = 0; i < 2; ++i) {
        const QWidget *noteButton = form.findChild<QWidget *>(i == 0 ? QStringLiteral("N2N") : QStringLiteral("N6N"));
        targets[i] = noteButton->mapToGlobal(noteButton->rect().center());
    }

    PopupClock clock(*menu);
    std::vector<double> times;
    for (int i = 0; i < Popups; ++i) {
        clock.reset();
        rightClick(display, targets[i % 2]);
        if (!processEventsUntil([&] { return clock.pressed && clock.painted; })) {
            std::fprintf(stderr, "popup: popup %d never completed its band\n", i + 1);
            return 1;
        }
        times.push_back(Milliseconds(*clock.painted - *clock.pressed).count());
        menu->hide();
        const auto pause = Clock::now() + std::chrono::milliseconds(50);
        processEventsUntil([&] { return Clock::now() > pause; });
    }

    const double first = times.front();
    std::sort(times.begin(), times.end());
    const double median = (times[Popups / 2 - 1] + times[Popups / 2]) / 2;
    std::printf("right-button press -> end of the menu's first complete paint, %d popups: median %.2f ms, max %.2f ms "
                "(the first %.2f ms)\n",
                Popups, median, times.back(), first);
    XCloseDisplay(display);
    return 0;
}
