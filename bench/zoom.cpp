// How long does one zoom step take, from the Ctrl+Numpad key press to the window
// drawn again at its new level? Builds the real main window with the real message
// pump in an X server, presses the zoom keys through the X test extension and
// watches for the window's first paint after the zoom command. The steps go
// through all seven levels in turn; each is a return to 100 %, a scaling to the
// level and two centrings, each running the show-time set-up again. Run it
// through bench/zoom.sh, which provides an X server.

#include "Application.h"
#include "BenchWindow.h"
#include "XTestKeyboard.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int Steps = 20;
constexpr unsigned ControlKey = 37;
constexpr unsigned NumLockKey = 77;

struct Level
{
    const char *action;
    unsigned keypadKey; // X keycode of the keypad digit
};

constexpr Level Levels[] = {{"MN80", 87},  {"MN90", 88},  {"MN100", 89}, {"MN110", 83},
                            {"MN125", 84}, {"MN150", 85}, {"MN200", 79}};

// Notes the first paint of the window after a zoom command has returned.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *window) { window->installEventFilter(this); }

    void expectZoom() { m_zoomed = m_painted = false; }
    void zoomed()
    {
        m_zoomed = true;
        m_handled = Clock::now();
    }
    bool painted() const { return m_painted; }
    Clock::time_point handled() const { return m_handled; }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_zoomed)
            m_painted = true;
        return false;
    }

private:
    bool m_zoomed = false;
    bool m_painted = false;
    Clock::time_point m_handled;
};

struct Step
{
    double handlerMs; // key press to the zoom command's return
    double shownMs;   // key press to the window painted again
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return (values[(values.size() - 1) / 2] + values[values.size() / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    setUpApplication();
    XTestKeyboard keyboard;
    if (!keyboard.isUsable()) {
        std::fprintf(stderr, "needs an X server with the XTEST extension in $DISPLAY\n");
        return 1;
    }

    BenchWindow window;
    TForm1 &form = window.form;
    PaintWatch watch(&form);
    for (const Level &level : Levels) {
        QObject::connect(form.findChild<QAction *>(QString::fromLatin1(level.action)), &QAction::triggered, &form,
                         [&watch] { watch.zoomed(); });
    }

    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    // No window manager hands out the focus in the bench's X server; the keypad
    // gives digits with Num Lock on.
    keyboard.focus(form.winId());
    keyboard.press(NumLockKey);
    if (!QTest::qWaitFor([&form] { return QGuiApplication::focusWindow() == form.windowHandle(); })) {
        std::fprintf(stderr, "the window did not get the keyboard focus\n");
        return 1;
    }
    QTest::qWait(300);

    std::vector<Step> steps;
    bool late = false;
    QTimer patience;
    patience.setSingleShot(true);
    QObject::connect(&patience, &QTimer::timeout, [&late] { late = true; });
    for (int step = 0; step < Steps; ++step) {
        const Level &level = Levels[step % std::size(Levels)];
        watch.expectZoom();
        patience.start(5000);
        const Clock::time_point pressed = Clock::now();
        keyboard.pressWith(ControlKey, level.keypadKey);
        while (!watch.painted() && !late)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const Clock::time_point shown = Clock::now();
        if (late) {
            std::fprintf(stderr, "Ctrl+Numpad for %s: the window was not drawn again within 5 s\n", level.action);
            return 1;
        }
        steps.push_back({Milliseconds(watch.handled() - pressed).count(), Milliseconds(shown - pressed).count()});
    }

    std::vector<double> handler;
    std::vector<double> shown;
    for (const Step &step : steps) {
        handler.push_back(step.handlerMs);
        shown.push_back(step.shownMs);
    }
    std::printf("zoom step, Ctrl+Numpad key press -> window drawn again, %d steps through the seven levels:\n"
                "  median %.1f ms, min %.1f ms, max %.1f ms\n"
                "  of which key press -> zoom command done: median %.1f ms, max %.1f ms\n",
                Steps, median(shown), *std::min_element(shown.begin(), shown.end()),
                *std::max_element(shown.begin(), shown.end()), median(handler),
                *std::max_element(handler.begin(), handler.end()));
    return 0;
}
