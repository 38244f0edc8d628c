// How long does Morvil take from its start to the first paint of its window, and how
// much memory does it hold once shown? Starts the real program the given number of
// times in the X server it is run in (bench/startup.sh provides one), and for each
// start takes the time from the spawn to the moment the window's button panel shows
// on the screen, then its resident memory one second later; prints every start and
// the medians.
//
// The screen is read, not the program: the middle pixel of the screen, where the
// centred window shows its button panel, is polled every millisecond.
//
// usage: morvil_startup <morvil program> [starts]      (default: 10)

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned long PanelColour = 0xD1D1C2; // the button panel, 0x00C2D1D1 in the design's BGR
constexpr auto PollPeriod = std::chrono::milliseconds(1);
constexpr std::chrono::milliseconds StartLimit(10000);
constexpr auto SettleTime = std::chrono::seconds(1);

struct Start
{
    double firstPaintMs;
    double residentMiB;
};

unsigned long screenPixel(Display *display, int x, int y)
{
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}

// VmRSS of the process, in MiB.
std::optional<double> residentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return std::nullopt;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool waitUntil(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(PollPeriod);
    }
    return true;
}

std::optional<Start> startOnce(Display *display, const char *program)
{
    const int x = DisplayWidth(display, DefaultScreen(display)) / 2;
    const int y = DisplayHeight(display, DefaultScreen(display)) / 2;
    if (!waitUntil([&] { return screenPixel(display, x, y) != PanelColour; }, std::chrono::seconds(5))) {
        std::fprintf(stderr, "the screen still shows a window from before\n");
        return std::nullopt;
    }

    char *const arguments[] = {const_cast<char *>(program), nullptr};
    pid_t pid = 0;
    const auto started = Clock::now();
    if (posix_spawn(&pid, program, nullptr, nullptr, arguments, environ) != 0) {
        std::perror(program);
        return std::nullopt;
    }
    bool ended = false;
    const bool painted = waitUntil(
        [&] {
            ended = waitpid(pid, nullptr, WNOHANG) == pid;
            return ended || screenPixel(display, x, y) == PanelColour;
        },
        StartLimit);
    const auto paintedAt = Clock::now();
    std::optional<Start> start;
    if (painted && !ended) {
        std::this_thread::sleep_for(SettleTime);
        if (const auto resident = residentMiB(pid))
            start = Start{std::chrono::duration<double, std::milli>(paintedAt - started).count(), *resident};
    } else {
        std::fprintf(stderr, ended ? "the program ended before it showed its window\n"
                                   : "the window did not appear within 10 s\n");
    }
    if (!ended) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    return start;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: morvil_startup <morvil program> [starts]\n");
        return 2;
    }
    const int starts = argc == 3 ? std::atoi(argv[2]) : 10;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X server: run this through bench/startup.sh\n");
        return 1;
    }
    std::vector<double> paints;
    std::vector<double> residents;
    for (int i = 1; i <= starts; ++i) {
        const auto start = startOnce(display, argv[1]);
        if (!start)
            return 1;
        std::printf("start %2d: first paint %6.1f ms, resident %5.1f MiB\n", i, start->firstPaintMs,
                    start->residentMiB);
        paints.push_back(start->firstPaintMs);
        residents.push_back(start->residentMiB);
    }
    std::printf("median of %d starts: first paint %.1f ms (%.1f-%.1f), resident %.1f MiB (%.1f-%.1f)\n", starts,
                median(paints), *std::min_element(paints.begin(), paints.end()),
                *std::max_element(paints.begin(), paints.end()), median(residents),
                *std::min_element(residents.begin(), residents.end()),
                *std::max_element(residents.begin(), residents.end()));
    XCloseDisplay(display);
    return 0;
}
