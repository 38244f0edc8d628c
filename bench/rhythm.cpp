// Does a replay keep the rhythm it was recorded with, and what does a running
// tick loop cost? Builds the real main window with the real message pump, plays
// a fixed script of notes into it through real X key events, stops the recording
// and plays the list back. The sound goes through the SDL output to a sound
// server's null sink, whose monitor, recorded with parec in real time, shows where
// each note really began, to the frame. Beside the ticks taken
// from the clock, the first paced pump (a pass every 1 ms) and the classic tick
// (one unpaced pass of the event queue) run the same script, each on an idle
// machine and with the other core kept busy. Run it through bench/rhythm.sh,
// which provides an X server and a PulseAudio null sink; --notes N plays a
// shorter script.
//
// A replayed note is due count + 1 ticks of 1 ms after the note before it: its
// interval at the sound, from the onsets' frames in the recording, is set against
// that, and against the interval recorded at the sound. At the play() calls
// (steady_clock) the replayed interval is set against the recorded one. Processor time is the whole process's, user and
// system, and the window thread's alone; wake-ups are the window thread's voluntary context switches (/proc). Both over
// 10 s of recording after the last note, and over the whole replay.

#include "Application.h"
#include "BenchWindow.h"
#include "NoteRecord.h"
#include "PassPumps.h"
#include "QtMessagePump.h"
#include "QtSettingsStore.h"
#include "SdlSoundOutput.h"
#include "SoundServerMonitor.h"
#include "Statistics.h"
#include "TForm1.h"
#include "XTestKeyboard.h"

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>

#include <SDL.h>

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
constexpr double FramesPerMillisecond = 22.05;

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
        const Samples probe = pcm.first(std::min(pcm.size(), NoteStartFrames));
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
    std::uint64_t lateNotes = 0;
    CpuShare cpuRecording;
    CpuShare cpuPlayback;
    QString failure;
};

std::vector<qint32> recordedCounts(const TForm1 &form)
{
    std::vector<qint32> counts;
    const auto *records = form.findChild<QListWidget *>(QStringLiteral("Nota_Listesi"));
    for (int row = 0; row < records->count(); ++row)
        counts.push_back(parseNoteRecord(records->item(row)->text()).count);
    return counts;
}

Run runOnce(Variant variant, Load load, const std::vector<Stroke> &script, XTestKeyboard &keyboard,
            SdlSoundOutput &output, TimestampingSoundOutput &sound, const QString &settingsPath)
{
    const std::uint64_t lateBefore = output.lateNotes();
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
    recordWhile(form, [&] {
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
    });

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
    run.lateNotes = output.lateNotes() - lateBefore;
    if (run.replayedTo - run.replayedFrom != script.size())
        run.failure =
            QStringLiteral("%1 of %2 notes were replayed").arg(run.replayedTo - run.replayedFrom).arg(script.size());
    return run;
}

// Each call's note begins where the recording holds the note's own frames, after
// what had reached the monitor when play() was called and after the previous
// onset, within a second: a note whose start an underrun damaged is missing
// rather than found where the same note sounds again.
std::vector<std::optional<std::size_t>> findOnsets(const SoundServerMonitor &monitor,
                                                   const std::vector<PlayCall> &calls)
{
    constexpr std::size_t SearchFrames = 22050;
    std::vector<std::optional<std::size_t>> onsets;
    std::size_t previous = 0;
    for (const PlayCall &call : calls) {
        const std::size_t from = std::max(previous, monitor.framesBy(call.at));
        onsets.push_back(noteStart(monitor.frames(), from, from + SearchFrames, call.probe));
        if (onsets.back())
            previous = *onsets.back() + 1;
    }
    return onsets;
}

// Replayed interval minus recorded interval for each consecutive pair of notes.
std::vector<double> intervalErrors(const std::vector<double> &recorded, const std::vector<double> &replayed)
{
    std::vector<double> errors;
    for (std::size_t i = 1; i < recorded.size() && i < replayed.size(); ++i)
        errors.push_back((replayed[i] - replayed[i - 1]) - (recorded[i] - recorded[i - 1]));
    return errors;
}

struct Figures
{
    Spread atPlay;               // |replayed - recorded interval| at the play() calls
    Spread atSoundAgainstCount;  // |replayed interval - (count + 1 ms)| at the sound
    Spread atSoundAgainstPlayed; // |replayed - recorded interval| at the sound
    double offsetMedianMs = NAN; // signed replayed - recorded, at play()
    double offsetMeanMs = NAN;
    double ticksPerMsRecording = NAN;
    double ticksPerMsPlayback = NAN;
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
    figures.atPlay = Spread::ofAbsolute(errors);
    figures.offsetMedianMs = Spread::of(errors).median;
    figures.offsetMeanMs = std::accumulate(errors.begin(), errors.end(), 0.0) / double(errors.size());

    double recordedTicks = 0;
    double replayedTicks = 0;
    for (std::size_t i = 1; i < run.counts.size(); ++i) {
        recordedTicks += run.counts[i];
        replayedTicks += double(run.counts[i]) + 1;
    }
    figures.ticksPerMsRecording = recordedTicks / (recordedMs.back() - recordedMs.front());
    figures.ticksPerMsPlayback = replayedTicks / (replayedMs.back() - replayedMs.front());

    for (std::size_t call = run.recordedFrom; call < run.replayedTo; ++call)
        figures.missingOnsets += onsets.at(call) ? 0 : 1;
    // The interval between two onsets when both were found.
    const auto intervalMs = [&](std::size_t call) -> std::optional<double> {
        if (!onsets.at(call - 1) || !onsets.at(call))
            return std::nullopt;
        return double(*onsets.at(call) - *onsets.at(call - 1)) / FramesPerMillisecond;
    };
    std::vector<double> againstCount;
    std::vector<double> againstPlayed;
    const std::size_t notes = run.replayedFrom - run.recordedFrom;
    for (std::size_t i = 1; i < notes; ++i) {
        const auto replayed = intervalMs(run.replayedFrom + i);
        if (!replayed)
            continue;
        againstCount.push_back(*replayed - (double(run.counts.at(i)) + 1));
        if (const auto recorded = intervalMs(run.recordedFrom + i))
            againstPlayed.push_back(*replayed - *recorded);
    }
    figures.atSoundAgainstCount = Spread::ofAbsolute(againstCount);
    figures.atSoundAgainstPlayed = Spread::ofAbsolute(againstPlayed);
    return figures;
}

void printTables(const std::vector<Run> &runs, const std::vector<Figures> &figures)
{
    std::printf("\n%-10s | %-9s | %-22s | %-22s | %-22s | %s\n", "", "", "at sound: - (count+1)",
                "at sound: - recorded", "at play(): - recorded", "late");
    std::printf("%-10s | %-9s |", "variant", "load");
    for (int column = 0; column < 3; ++column)
        std::printf(" %6s %6s %7s |", "median", "p95", "max");
    std::printf(" notes\n");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Figures &f = figures[i];
        std::printf("%-10s | %-9s |", nameOf(runs[i].variant), nameOf(runs[i].load));
        for (const Spread &spread : {f.atSoundAgainstCount, f.atSoundAgainstPlayed, f.atPlay})
            std::printf(" %6.2f %6.2f %7.2f |", spread.median, spread.p95, spread.max);
        std::printf(" %5llu\n", static_cast<unsigned long long>(runs[i].lateNotes));
    }
    std::printf("|replayed interval - what it should be|, ms: at the sound against count + 1 ms and against the "
                "interval recorded at the sound, at play() against the interval recorded at play()\n");
    std::printf("\n%-10s | %-9s | %s | %s | %s | %s\n", "variant", "load", "CPU recording %", "CPU playback %",
                "wake-ups/s recording", "wake-ups/s playback");
    for (const Run &run : runs) {
        std::printf("%-10s | %-9s | %6.2f (%5.2f) | %5.2f (%5.2f) | %20.1f | %19.1f\n", nameOf(run.variant),
                    nameOf(run.load), run.cpuRecording.process, run.cpuRecording.windowThread, run.cpuPlayback.process,
                    run.cpuPlayback.windowThread, run.cpuRecording.wakeUpsPerSecond, run.cpuPlayback.wakeUpsPerSecond);
    }
    std::printf("\n%-10s | %-9s | %s | %s | %s | %s | %s\n", "variant", "load", "offset median ms", "offset mean ms",
                "ticks/ms recording", "ticks/ms playback", "onsets missing");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Figures &f = figures[i];
        std::printf("%-10s | %-9s | %16.2f | %14.2f | %18.2f | %17.2f | %14zu\n", nameOf(runs[i].variant),
                    nameOf(runs[i].load), f.offsetMedianMs, f.offsetMeanMs, f.ticksPerMsRecording, f.ticksPerMsPlayback,
                    f.missingOnsets);
    }
    std::printf("\nCPU: the whole process (the window's thread alone), in %% of one core; wake-ups: the window "
                "thread's voluntary context switches. Recording over %lld s after the last note, playback over the "
                "whole replay.\n",
                static_cast<long long>(IdleRecording.count()));
    std::printf("offset: replayed interval - recorded interval, signed, at play().\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir scratch;
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
    const bool clockOnly = arguments.contains(QStringLiteral("--clock-only"));
    if (notes < 2) {
        std::fprintf(stderr, "usage: morvil_rhythm [--notes N] [--clock-only]   (N at least 2)\n");
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

    SoundServerMonitor monitor;
    if (!monitor.start()) {
        std::fprintf(stderr, "cannot start parec\n");
        return 1;
    }
    // An idle null sink lets the first stream's audio flow late: let it settle first.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    std::vector<Run> runs;
    std::vector<PlayCall> calls;
    {
        SdlSoundOutput output;
        if (!output.hasDevice()) {
            std::fprintf(stderr, "no audio device (SDL driver %s)\n", SDL_GetCurrentAudioDriver());
            return 1;
        }
        std::printf("output: SDL driver %s, %d frames per period, notes %.2f ms after their moment\n",
                    SDL_GetCurrentAudioDriver(), output.framesPerPeriod(), Milliseconds(output.latency()).count());
        TimestampingSoundOutput sound(output);
        const QString settingsPath = scratch.filePath(QStringLiteral("settings.ini"));
        for (const Load load : {Load::Idle, Load::Busy}) {
            for (const Variant variant : {Variant::Clock, Variant::Paced, Variant::Classic}) {
                if (clockOnly && variant != Variant::Clock)
                    continue;
                std::printf("%s, %s: load average %.2f ...\n", nameOf(variant), nameOf(load), loadAverage());
                std::fflush(stdout);
                runs.push_back(runOnce(variant, load, script, keyboard, output, sound, settingsPath));
                if (!runs.back().failure.isEmpty()) {
                    std::fprintf(stderr, "%s\n", qPrintable(runs.back().failure));
                    return 1;
                }
            }
        }
        calls = sound.calls();
        // The last note's start must reach the monitor before the output closes.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    monitor.stop();

    const std::vector<std::optional<std::size_t>> onsets = findOnsets(monitor, calls);
    std::vector<Figures> figures;
    for (const Run &run : runs)
        figures.push_back(evaluate(run, calls, onsets));
    printTables(runs, figures);
    return 0;
}
