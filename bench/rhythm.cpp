// Does a replay keep the rhythm it was recorded with, and what does a running
// tick loop cost? Builds the real main window with the real message pump, plays
// a fixed script of notes into it through real X key events, stops the recording
// and plays the list back. The sound goes through the SDL output into SDL's disk
// driver, whose capture shows when each note really began. Beside the ticks taken
// from the clock, the first paced pump (a pass every 1 ms) and the classic tick
// (one unpaced pass of the event queue) run the same script, each on an idle
// machine and with the other core kept busy. Run it through bench/rhythm.sh,
// which provides an X server; --notes N plays a shorter script.
//
// Times are taken at the play() calls (steady_clock) and at the notes' onsets in
// the capture. Processor time is the whole process's, user and system, and the
// window thread's alone; wake-ups are the window thread's voluntary context
// switches (/proc). Both over 10 s of recording after the last note, and over
// the whole replay.

#include "Application.h"
#include "NoteRecord.h"
#include "PassPumps.h"
#include "QtMessagePump.h"
#include "QtSettingsStore.h"
#include "SdlSoundOutput.h"
#include "TForm1.h"
#include "XTestKeyboard.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numeric>
#include <optional>
#include <pthread.h>
#include <random>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
using Samples = std::span<const std::int16_t>;

constexpr int DefaultScriptNotes = 100;
// Gaps are drawn to the microsecond, as a player's are: with whole milliseconds
// the replay's error would hinge on the sign of the key events' jitter.
constexpr std::chrono::microseconds ShortestGap = std::chrono::milliseconds(40);
constexpr std::chrono::microseconds LongestGap = std::chrono::milliseconds(900);
constexpr unsigned ScriptSeed = 20240611;
constexpr auto IdleRecording = std::chrono::seconds(10);
constexpr std::size_t RampFrames = 44;   // the output mixes the cut-off note into these frames
constexpr std::size_t MatchFrames = 256; // frames after the ramp that identify a note's start

struct Stroke
{
    int note;
    std::chrono::microseconds gapBefore;
};

// The same notes and gaps on every run.
std::vector<Stroke> makeScript(int notes)
{
    std::mt19937 random(ScriptSeed);
    std::vector<Stroke> script;
    for (int i = 0; i < notes; ++i) {
        const auto gap = i == 0
                             ? std::chrono::microseconds(0)
                             : ShortestGap + std::chrono::microseconds(random() % (LongestGap - ShortestGap).count());
        script.push_back({int(random() % NoteCount), gap});
    }
    return script;
}

// Home row 38-46 plays notes 0-8, the row above 24-32 notes 9-17.
unsigned keycodeOf(int note)
{
    return note < RowLength ? 38 + note : 24 + (note - RowLength);
}

struct PlayCall
{
    Clock::time_point at;
    // The frames that identify the note's start in the capture, copied because the
    // samples belong to a window that is gone by the time the capture is searched.
    std::vector<std::int16_t> probe;
};

// Stamps every play() with the time the program asked for the sound, then plays it.
class TimestampingSoundOutput : public SoundOutput
{
public:
    explicit TimestampingSoundOutput(SoundOutput &output) : m_output(output) {}

    bool hasDevice() const override { return m_output.hasDevice(); }
    void play(Samples pcm, Clock::time_point due) override
    {
        const Clock::time_point at = Clock::now();
        m_output.play(pcm, due);
        const Samples probe = pcm.size() >= RampFrames + MatchFrames ? pcm.subspan(RampFrames, MatchFrames) : Samples();
        m_calls.push_back({at, {probe.begin(), probe.end()}});
    }
    void stop() override { m_output.stop(); }

    const std::vector<PlayCall> &calls() const { return m_calls; }

private:
    SoundOutput &m_output;
    std::vector<PlayCall> m_calls;
};

// Keeps one processor core busy while it lives: a child process spinning on it.
class BusyCore
{
public:
    explicit BusyCore(int cpu)
    {
        m_pid = fork();
        if (m_pid != 0)
            return;
        cpu_set_t cpus;
        CPU_ZERO(&cpus);
        CPU_SET(cpu, &cpus);
        sched_setaffinity(0, sizeof cpus, &cpus);
        volatile unsigned long spins = 0;
        while (true)
            spins = spins + 1;
    }
    ~BusyCore()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    BusyCore(const BusyCore &) = delete;
    BusyCore &operator=(const BusyCore &) = delete;

private:
    pid_t m_pid = -1;
};

// The highest-numbered core this process may run on: the one the load goes to.
int lastCore()
{
    cpu_set_t cpus;
    CPU_ZERO(&cpus);
    sched_getaffinity(0, sizeof cpus, &cpus);
    int last = 0;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &cpus))
            last = cpu;
    }
    return last;
}

// How often the thread has given up the processor to sleep (ended a wait): the
// wake-ups that keep a laptop's processor out of its deep sleep states.
long voluntaryContextSwitches(pid_t thread)
{
    long switches = -1;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/task/%d/status", int(thread));
    if (FILE *file = std::fopen(path, "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, file)) {
            if (std::sscanf(line, "voluntary_ctxt_switches: %ld", &switches) == 1)
                break;
        }
        std::fclose(file);
    }
    return switches;
}

// The window's thread, as the clock of its processor time and as a task of /proc.
struct WindowThread
{
    clockid_t clock{};
    pid_t task = 0;

    static WindowThread current()
    {
        WindowThread thread;
        pthread_getcpuclockid(pthread_self(), &thread.clock);
        thread.task = pid_t(syscall(SYS_gettid));
        return thread;
    }
};

// Processor time of the whole process (the tick loops, and SDL's thread feeding
// the disk driver) and of the window's thread alone (the tick loops), and the
// window thread's wake-ups.
struct CpuSample
{
    Clock::time_point wall;
    std::chrono::microseconds process;
    std::chrono::microseconds windowThread;
    long windowThreadSwitches;

    static CpuSample now(const WindowThread &window)
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto toMicroseconds = [](const timeval &time) {
            return std::chrono::seconds(time.tv_sec) + std::chrono::microseconds(time.tv_usec);
        };
        timespec thread{};
        clock_gettime(window.clock, &thread);
        return {Clock::now(), toMicroseconds(usage.ru_utime) + toMicroseconds(usage.ru_stime),
                std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::seconds(thread.tv_sec) +
                                                                      std::chrono::nanoseconds(thread.tv_nsec)),
                voluntaryContextSwitches(window.task)};
    }
};

struct CpuShare
{
    double process = 0; // percent of one core
    double windowThread = 0;
    double wakeUpsPerSecond = 0; // of the window's thread
};

CpuShare cpuBetween(const CpuSample &from, const CpuSample &to)
{
    const double wall = double(std::chrono::duration_cast<std::chrono::microseconds>(to.wall - from.wall).count());
    return {100.0 * double((to.process - from.process).count()) / wall,
            100.0 * double((to.windowThread - from.windowThread).count()) / wall,
            1e6 * double(to.windowThreadSwitches - from.windowThreadSwitches) / wall};
}

enum class Variant
{
    Clock,
    Paced,
    Classic
};
enum class Load
{
    Idle,
    Busy
};

const char *nameOf(Variant variant)
{
    switch (variant) {
    case Variant::Clock:
        return "clock";
    case Variant::Paced:
        return "paced 1 ms";
    case Variant::Classic:
        return "classic";
    }
    return "";
}

const char *nameOf(Load load)
{
    return load == Load::Idle ? "idle" : "core busy";
}

// What one variant under one load left behind; the play() calls are indices into
// the whole run's list, so that the capture can be searched once, in order.
struct Run
{
    Variant variant = Variant::Clock;
    Load load = Load::Idle;
    std::size_t recordedFrom = 0;
    std::size_t replayedFrom = 0;
    std::size_t replayedTo = 0;
    std::vector<qint32> counts; // the recorded note list, in order
    CpuShare cpuRecording;
    CpuShare cpuPlayback;
    QString failure;
};

// Handles events until done() holds or the time is up; the window needs a few
// round trips to the X server before it is mapped and focused.
template <typename Condition> bool processEventsUntil(Condition done, std::chrono::milliseconds patience)
{
    const auto deadline = Clock::now() + patience;
    while (!done() && Clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

bool showWithFocus(TForm1 &form, XTestKeyboard &keyboard)
{
    form.show();
    if (!processEventsUntil([&] { return form.windowHandle() && form.windowHandle()->isExposed(); },
                            std::chrono::seconds(10)))
        return false;
    // No window manager hands out the focus in the bench's X server.
    keyboard.focus(form.winId());
    const auto focused = [&] { return QGuiApplication::focusWindow() == form.windowHandle(); };
    if (!processEventsUntil(focused, std::chrono::seconds(10)))
        return false;
    // Settle, then make sure nothing took the focus away again.
    processEventsUntil([] { return false; }, std::chrono::milliseconds(300));
    return focused();
}

std::vector<qint32> recordedCounts(const TForm1 &form)
{
    std::vector<qint32> counts;
    const auto *records = form.findChild<QListWidget *>(QStringLiteral("Nota_Listesi"));
    for (int row = 0; row < records->count(); ++row)
        counts.push_back(parseNoteRecord(records->item(row)->text()).count);
    return counts;
}

Run runOnce(Variant variant, Load load, const std::vector<Stroke> &script, XTestKeyboard &keyboard,
            TimestampingSoundOutput &sound, const QString &settingsPath)
{
    Run run;
    run.variant = variant;
    run.load = load;
    std::optional<BusyCore> busyCore;
    if (load == Load::Busy)
        busyCore.emplace(lastCore());

    std::unique_ptr<MessagePump> pump;
    switch (variant) {
    case Variant::Clock:
        pump = std::make_unique<QtMessagePump>();
        break;
    case Variant::Paced:
        pump = std::make_unique<PacedMessagePump>();
        break;
    case Variant::Classic:
        pump = std::make_unique<ClassicMessagePump>();
        break;
    }
    QtSettingsStore settings(settingsPath);
    // The program journals every note: its writer thread is part of what a recording costs.
    const QTemporaryDir journals;
    TForm1 form(sound, *pump, settings);
    form.startJournal(journals.path());
    if (!showWithFocus(form, keyboard)) {
        run.failure = QStringLiteral("the window did not get the keyboard focus");
        return run;
    }

    const WindowThread window = WindowThread::current();
    run.recordedFrom = sound.calls().size();
    QEventLoop recording;
    std::thread player([&] {
        auto at = Clock::now() + std::chrono::milliseconds(300);
        for (const Stroke &stroke : script) {
            at += stroke.gapBefore;
            std::this_thread::sleep_until(at);
            keyboard.press(keycodeOf(stroke.note));
        }
        // The recorder keeps counting after the last note: its idle cost.
        std::this_thread::sleep_until(at + std::chrono::milliseconds(500));
        const CpuSample idleFrom = CpuSample::now(window);
        std::this_thread::sleep_until(at + std::chrono::milliseconds(500) + IdleRecording);
        run.cpuRecording = cpuBetween(idleFrom, CpuSample::now(window));
        QMetaObject::invokeMethod(
            &form,
            [&] {
                form.SpeedButton8Click();
                recording.quit();
            },
            Qt::QueuedConnection);
    });
    recording.exec();
    player.join();

    run.replayedFrom = sound.calls().size();
    if (run.replayedFrom - run.recordedFrom != script.size()) {
        run.failure =
            QStringLiteral("%1 of %2 notes were recorded").arg(run.replayedFrom - run.recordedFrom).arg(script.size());
        return run;
    }
    run.counts = recordedCounts(form);
    const CpuSample playbackFrom = CpuSample::now(window);
    form.SpeedButton6Click();
    run.cpuPlayback = cpuBetween(playbackFrom, CpuSample::now(window));
    run.replayedTo = sound.calls().size();
    if (run.replayedTo - run.replayedFrom != script.size())
        run.failure =
            QStringLiteral("%1 of %2 notes were replayed").arg(run.replayedTo - run.replayedFrom).arg(script.size());
    return run;
}

std::vector<std::int16_t> readCapture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> frames(std::size_t(bytes.size()) / sizeof(std::int16_t));
    std::memcpy(frames.data(), bytes.constData(), frames.size() * sizeof(std::int16_t));
    return frames;
}

// Each call's note begins where the capture holds the note's own frames once the
// ramp of the cut-off note is over. Calls are searched in order, each after the
// previous onset, so a note played twice is found at its second start.
std::vector<std::optional<std::size_t>> findOnsets(const std::vector<std::int16_t> &capture,
                                                   const std::vector<PlayCall> &calls)
{
    std::vector<std::optional<std::size_t>> onsets;
    auto searchFrom = capture.begin();
    for (const PlayCall &call : calls) {
        if (call.probe.empty() || capture.end() - searchFrom < std::ptrdiff_t(RampFrames)) {
            onsets.emplace_back();
            continue;
        }
        const auto match = std::search(searchFrom + RampFrames, capture.end(), call.probe.begin(), call.probe.end());
        if (match == capture.end()) {
            onsets.emplace_back();
            continue;
        }
        const auto onset = match - RampFrames;
        onsets.emplace_back(std::size_t(onset - capture.begin()));
        searchFrom = onset + 1;
    }
    return onsets;
}

struct Summary
{
    double median = NAN;
    double p95 = NAN;
    double max = NAN;
};

double nearestRank(const std::vector<double> &sorted, double fraction)
{
    const auto rank = std::size_t(std::ceil(fraction * double(sorted.size())));
    return sorted.at(std::max<std::size_t>(rank, 1) - 1);
}

Summary summariseAbsolute(std::vector<double> values)
{
    if (values.empty())
        return {};
    for (double &value : values)
        value = std::abs(value);
    std::sort(values.begin(), values.end());
    return {nearestRank(values, 0.5), nearestRank(values, 0.95), values.back()};
}

double median(std::vector<double> values)
{
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    return nearestRank(values, 0.5);
}

// Replayed interval minus recorded interval for each consecutive pair of notes.
std::vector<double> intervalErrors(const std::vector<double> &recorded, const std::vector<double> &replayed)
{
    std::vector<double> errors;
    for (std::size_t i = 1; i < recorded.size() && i < replayed.size(); ++i)
        errors.push_back((replayed[i] - replayed[i - 1]) - (recorded[i] - recorded[i - 1]));
    return errors;
}

// The capture runs at the disk driver's own pace, which need not be the clock's:
// its frame rate against the play() calls, by least squares.
double framesPerMillisecond(const std::vector<double> &callMs, const std::vector<double> &onsetFrames)
{
    const double n = double(callMs.size());
    const double meanMs = std::accumulate(callMs.begin(), callMs.end(), 0.0) / n;
    const double meanFrames = std::accumulate(onsetFrames.begin(), onsetFrames.end(), 0.0) / n;
    double covariance = 0;
    double variance = 0;
    for (std::size_t i = 0; i < callMs.size(); ++i) {
        covariance += (callMs[i] - meanMs) * (onsetFrames[i] - meanFrames);
        variance += (callMs[i] - meanMs) * (callMs[i] - meanMs);
    }
    return covariance / variance;
}

struct Figures
{
    Summary atPlay;
    Summary atSound;
    double offsetMedianMs = NAN; // signed replayed - recorded, at play()
    double offsetMeanMs = NAN;
    double ticksPerMsRecording = NAN;
    double ticksPerMsPlayback = NAN;
    double captureFramesPerSecond = NAN;
    std::size_t missingOnsets = 0;
};

Figures evaluate(const Run &run, const std::vector<PlayCall> &calls,
                 const std::vector<std::optional<std::size_t>> &onsets)
{
    Figures figures;
    const Clock::time_point origin = calls.at(run.recordedFrom).at;
    const auto msOf = [&](std::size_t call) { return Milliseconds(calls.at(call).at - origin).count(); };
    std::vector<double> recordedMs;
    std::vector<double> replayedMs;
    for (std::size_t call = run.recordedFrom; call < run.replayedFrom; ++call)
        recordedMs.push_back(msOf(call));
    for (std::size_t call = run.replayedFrom; call < run.replayedTo; ++call)
        replayedMs.push_back(msOf(call));

    const std::vector<double> errors = intervalErrors(recordedMs, replayedMs);
    figures.atPlay = summariseAbsolute(errors);
    figures.offsetMedianMs = median(errors);
    figures.offsetMeanMs = std::accumulate(errors.begin(), errors.end(), 0.0) / double(errors.size());

    double recordedTicks = 0;
    double replayedTicks = 0;
    for (std::size_t i = 1; i < run.counts.size(); ++i) {
        recordedTicks += run.counts[i];
        replayedTicks += double(run.counts[i]) + 1;
    }
    figures.ticksPerMsRecording = recordedTicks / (recordedMs.back() - recordedMs.front());
    figures.ticksPerMsPlayback = replayedTicks / (replayedMs.back() - replayedMs.front());

    std::vector<double> callMs;
    std::vector<double> onsetFrames;
    for (std::size_t call = run.recordedFrom; call < run.replayedTo; ++call) {
        if (onsets.at(call)) {
            callMs.push_back(msOf(call));
            onsetFrames.push_back(double(*onsets.at(call)));
        } else {
            ++figures.missingOnsets;
        }
    }
    if (callMs.size() < 2)
        return figures;
    const double rate = framesPerMillisecond(callMs, onsetFrames);
    figures.captureFramesPerSecond = rate * 1000;
    // A pair counts at the sound when all four of its onsets were found.
    const auto onsetMs = [&](std::size_t call) { return double(*onsets.at(call)) / rate; };
    std::vector<double> errorsAtSound;
    const std::size_t notes = run.replayedFrom - run.recordedFrom;
    for (std::size_t i = 1; i < notes; ++i) {
        const std::size_t recorded = run.recordedFrom + i;
        const std::size_t replayed = run.replayedFrom + i;
        if (onsets.at(recorded - 1) && onsets.at(recorded) && onsets.at(replayed - 1) && onsets.at(replayed)) {
            errorsAtSound.push_back((onsetMs(replayed) - onsetMs(replayed - 1)) -
                                    (onsetMs(recorded) - onsetMs(recorded - 1)));
        }
    }
    figures.atSound = summariseAbsolute(errorsAtSound);
    return figures;
}

double loadAverage()
{
    double load = NAN;
    if (FILE *file = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(file, "%lf", &load) != 1)
            load = NAN;
        std::fclose(file);
    }
    return load;
}

void printTables(const std::vector<Run> &runs, const std::vector<Figures> &figures)
{
    std::printf("\n%-10s | %-9s | %6s | %6s | %6s  (ms, at play()) | %6s | %6s | %6s  (ms, at sound)\n", "variant",
                "load", "median", "p95", "max", "median", "p95", "max");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Figures &f = figures[i];
        std::printf("%-10s | %-9s | %6.2f | %6.2f | %6.2f                  | %6.2f | %6.2f | %6.2f\n",
                    nameOf(runs[i].variant), nameOf(runs[i].load), f.atPlay.median, f.atPlay.p95, f.atPlay.max,
                    f.atSound.median, f.atSound.p95, f.atSound.max);
    }
    std::printf("\n%-10s | %-9s | %s | %s | %s | %s\n", "variant", "load", "CPU recording %", "CPU playback %",
                "wake-ups/s recording", "wake-ups/s playback");
    for (const Run &run : runs) {
        std::printf("%-10s | %-9s | %6.2f (%5.2f) | %5.2f (%5.2f) | %20.1f | %19.1f\n", nameOf(run.variant),
                    nameOf(run.load), run.cpuRecording.process, run.cpuRecording.windowThread, run.cpuPlayback.process,
                    run.cpuPlayback.windowThread, run.cpuRecording.wakeUpsPerSecond, run.cpuPlayback.wakeUpsPerSecond);
    }
    std::printf("\n%-10s | %-9s | %s | %s | %s | %s | %s | %s\n", "variant", "load", "offset median ms",
                "offset mean ms", "ticks/ms recording", "ticks/ms playback", "capture frames/s", "onsets missing");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Figures &f = figures[i];
        std::printf("%-10s | %-9s | %16.2f | %14.2f | %18.2f | %17.2f | %16.0f | %14zu\n", nameOf(runs[i].variant),
                    nameOf(runs[i].load), f.offsetMedianMs, f.offsetMeanMs, f.ticksPerMsRecording, f.ticksPerMsPlayback,
                    f.captureFramesPerSecond, f.missingOnsets);
    }
    std::printf("\nCPU: the whole process (the window's thread alone), in %% of one core; wake-ups: the window "
                "thread's voluntary context switches. Recording over %lld s after the last note, playback over the "
                "whole replay.\n",
                static_cast<long long>(IdleRecording.count()));
    std::printf("offset: replayed interval - recorded interval, signed, at play(); the first table has its absolute "
                "values.\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir scratch;
    const QString capturePath = scratch.filePath(QStringLiteral("capture.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(capturePath));
    QApplication app(argc, argv);
    setUpApplication();

    XTestKeyboard keyboard;
    if (!keyboard.isUsable()) {
        std::fprintf(stderr, "needs an X server with the XTEST extension in $DISPLAY: run bench/rhythm.sh\n");
        return 1;
    }
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype notesOption = arguments.indexOf(QStringLiteral("--notes"));
    const int notes = notesOption >= 0 ? arguments.value(notesOption + 1).toInt() : DefaultScriptNotes;
    if (notes < 2) {
        std::fprintf(stderr, "usage: morvil_rhythm [--notes N]   (N at least 2)\n");
        return 1;
    }
    const std::vector<Stroke> script = makeScript(notes);
    const auto scriptTime = std::accumulate(script.begin(), script.end(), std::chrono::microseconds(0),
                                            [](auto sum, const Stroke &stroke) { return sum + stroke.gapBefore; });
    std::printf("script: %d notes, gaps %lld-%lld ms (seed %u), %.1f s from first to last note; "
                "load goes to core %d of %ld\n",
                notes, static_cast<long long>(ShortestGap.count() / 1000),
                static_cast<long long>(LongestGap.count() / 1000), ScriptSeed, double(scriptTime.count()) / 1e6,
                lastCore(), sysconf(_SC_NPROCESSORS_ONLN));

    std::vector<Run> runs;
    std::vector<PlayCall> calls;
    {
        SdlSoundOutput output;
        if (!output.hasDevice()) {
            std::fprintf(stderr, "SDL's disk driver did not open\n");
            return 1;
        }
        std::printf("output: %d frames per period\n", output.framesPerPeriod());
        TimestampingSoundOutput sound(output);
        const QString settingsPath = scratch.filePath(QStringLiteral("settings.ini"));
        for (const Load load : {Load::Idle, Load::Busy}) {
            for (const Variant variant : {Variant::Clock, Variant::Paced, Variant::Classic}) {
                std::printf("%s, %s: load average %.2f ...\n", nameOf(variant), nameOf(load), loadAverage());
                std::fflush(stdout);
                runs.push_back(runOnce(variant, load, script, keyboard, sound, settingsPath));
                if (!runs.back().failure.isEmpty()) {
                    std::fprintf(stderr, "%s\n", qPrintable(runs.back().failure));
                    return 1;
                }
            }
        }
        calls = sound.calls();
        // The last note's start must reach the capture before the output closes.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    } // the disk driver writes the rest of its capture on closing

    const std::vector<std::optional<std::size_t>> onsets = findOnsets(readCapture(capturePath), calls);
    std::vector<Figures> figures;
    for (const Run &run : runs)
        figures.push_back(evaluate(run, calls, onsets));
    printTables(runs, figures);
    return 0;
}
