// How long a note takes to sound: from the X key event to the note's first frame
// at a sound server's null sink. Builds the program's window (the real TForm1 with
// the real message pump) around each output named on the command line, presses
// note keys into it through the X test extension one after another, plays the
// recorded list back, records what reaches the sink's monitor with parec and
// prints a table. Run it through
// bench/latency.sh, which provides an X server and the sound servers.
//
// usage: morvil_latency [--notes N] [--gap-ms G] OUTPUT...
//   stream[:FRAMES[:MARGIN_MS]][:journal]  the program's persistent stream with
//       this period and margin (the program's own unless given); with "journal",
//       the window journals every note as the program does
//   per-sound[:FRAMES]  a stream opened for each sound with this period, as a
//       "play this sound file" call does

#include "Application.h"
#include "BenchWindow.h"
#include "SampleBank.h"
#include "SoundServerMonitor.h"
#include "Statistics.h"
#include "XTestKeyboard.h"

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
using Samples = std::span<const std::int16_t>;

constexpr double SampleRate = 22050;

// A stream opened for each sound with the period given, closed when the next one starts.
class StreamPerSound : public SoundOutput
{
public:
    explicit StreamPerSound(int framesPerPeriod) : m_framesPerPeriod(framesPerPeriod)
    {
        SDL_InitSubSystem(SDL_INIT_AUDIO);
    }
    ~StreamPerSound() override
    {
        closeStream();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool hasDevice() const override { return true; }

    void play(Samples pcm, Clock::time_point) override
    {
        closeStream();
        SDL_AudioSpec wanted{};
        wanted.freq = int(SampleRate);
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 1;
        wanted.samples = Uint16(m_framesPerPeriod);
        m_stream = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
        SDL_QueueAudio(m_stream, pcm.data(), Uint32(pcm.size_bytes()));
        SDL_PauseAudioDevice(m_stream, 0);
    }

    void stop() override { closeStream(); }

private:
    void closeStream()
    {
        if (m_stream != 0)
            SDL_CloseAudioDevice(m_stream);
        m_stream = 0;
    }

    int m_framesPerPeriod;
    SDL_AudioDeviceID m_stream = 0;
};

// How far a stream falls behind the clock: its callbacks' lead over the clock,
// sampled every millisecond, at the end against the most it ever had. A stream
// that underruns waits for the server and never makes up the time, and the output
// clock keeps placing notes by the lead it had.
class StreamLag
{
public:
    explicit StreamLag(const SdlSoundOutput &output)
        : m_output(output), m_start(Clock::now()), m_thread([this] { sample(); })
    {
    }
    ~StreamLag()
    {
        m_done = true;
        m_thread.join();
    }

    // Milliseconds the stream's frames ended behind the furthest ahead they ran.
    double milliseconds() const
    {
        const std::lock_guard lock(m_mutex);
        return m_lastSecond - m_earliest;
    }

private:
    void sample()
    {
        constexpr int SamplesPerSecond = 1000;
        std::vector<double> lastSecond;
        while (!m_done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const double behind =
                Milliseconds(Clock::now() - m_start).count() - double(m_output.framesBegun()) * 1000 / SampleRate;
            lastSecond.push_back(behind);
            if (lastSecond.size() > SamplesPerSecond)
                lastSecond.erase(lastSecond.begin());
            const std::lock_guard lock(m_mutex);
            m_earliest = std::min(m_earliest, behind);
            m_lastSecond = std::ranges::min(lastSecond);
        }
    }

    const SdlSoundOutput &m_output;
    const Clock::time_point m_start;
    mutable std::mutex m_mutex;
    double m_earliest = 1e300;
    double m_lastSecond = 0;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

struct OutputChoice
{
    QString name;
    bool perSound = false;
    int framesPerPeriod = 0;
    std::optional<std::chrono::microseconds> margin;
    bool journal = false;
};

std::optional<OutputChoice> parseOutput(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    OutputChoice choice;
    choice.name = text;
    choice.perSound = parts[0] == QLatin1String("per-sound");
    if (!choice.perSound && parts[0] != QLatin1String("stream"))
        return std::nullopt;
    choice.framesPerPeriod = OutputTiming().framesPerPeriod;
    int numbers = 0;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        bool isNumber = false;
        const double number = parts[i].toDouble(&isNumber);
        if (isNumber && numbers == 0 && number >= 1) {
            choice.framesPerPeriod = int(number);
        } else if (isNumber && numbers == 1 && !choice.perSound && number >= 0) {
            choice.margin = std::chrono::microseconds(qRound64(number * 1000));
        } else if (parts[i] == QLatin1String("journal") && !choice.perSound && i == parts.size() - 1) {
            choice.journal = true;
        } else {
            return std::nullopt;
        }
        numbers += isNumber ? 1 : 0;
    }
    return choice;
}

struct Press
{
    int note;
    Clock::time_point at;
};

struct Run
{
    OutputChoice choice;
    std::vector<Press> presses;
    int recorded = 0;
    QByteArray driver;
    int framesPerPeriod = 0;
    double delayMs = NAN; // the output's fixed delay D
    std::optional<std::uint64_t> lateNotes;
    std::optional<double> lagMs;
    double loadBefore = NAN;
    double loadAfter = NAN;
    QString failure;
};

// Presses the notes' keys into the shown window while its recording runs, stops
// the recording and plays the list back: the replay's notes are due at their
// ticks' deadlines, which the window's thread can only reach late.
template <typename Sound>
void pressNotes(BenchWindow<Sound> &window, XTestKeyboard &keyboard, int notes, std::chrono::milliseconds gap, Run &run)
{
    recordWhile(window.form, [&] {
        auto at = Clock::now() + std::chrono::milliseconds(300);
        for (int i = 0; i < notes; ++i) {
            std::this_thread::sleep_until(at);
            const int note = i % NoteCount;
            run.presses.push_back({note, Clock::now()});
            keyboard.press(keycodeOf(note));
            at += gap;
        }
        std::this_thread::sleep_until(at + std::chrono::milliseconds(500));
    });
    run.recorded = window.form.template findChild<QListWidget *>(QStringLiteral("Nota_Listesi"))->count();
    window.form.SpeedButton6Click();
}

template <typename Sound, typename... SoundArguments>
void playThrough(Run &run, XTestKeyboard &keyboard, int notes, std::chrono::milliseconds gap,
                 SoundArguments &&...arguments)
{
    // Outlives the window, which keeps its journal there until it closes.
    const QTemporaryDir journals;
    BenchWindow<Sound> window(std::forward<SoundArguments>(arguments)...);
    if (!window.sound.hasDevice()) {
        run.failure = QStringLiteral("no audio device");
        return;
    }
    run.driver = SDL_GetCurrentAudioDriver();
    if (!showWithFocus(window.form, keyboard)) {
        run.failure = QStringLiteral("the window did not get the keyboard focus");
        return;
    }
    if (run.choice.journal)
        window.form.startJournal(journals.path());
    if constexpr (std::is_same_v<Sound, SdlSoundOutput>) {
        run.framesPerPeriod = window.sound.framesPerPeriod();
        run.delayMs = Milliseconds(window.sound.latency()).count();
        const StreamLag lag(window.sound);
        pressNotes(window, keyboard, notes, gap, run);
        run.lateNotes = window.sound.lateNotes();
        run.lagMs = lag.milliseconds();
    } else {
        run.framesPerPeriod = run.choice.framesPerPeriod;
        pressNotes(window, keyboard, notes, gap, run);
    }
}

void playThrough(Run &run, XTestKeyboard &keyboard, int notes, std::chrono::milliseconds gap)
{
    run.loadBefore = loadAverage();
    const OutputChoice &choice = run.choice;
    if (choice.perSound) {
        playThrough<StreamPerSound>(run, keyboard, notes, gap, choice.framesPerPeriod);
    } else {
        OutputTiming timing;
        timing.framesPerPeriod = choice.framesPerPeriod;
        timing.margin = choice.margin.value_or(timing.margin);
        playThrough<SdlSoundOutput>(run, keyboard, notes, gap, SdlSoundOutput::DeviceCount(), timing);
    }
    run.loadAfter = loadAverage();
}

// Key event to first frame, for every note found in the capture. Each note is
// looked for from what had reached the monitor when its key went down until the
// next key, so one damaged note start cannot derail the rest.
std::vector<double> latencies(const SoundServerMonitor &monitor, const SampleBank &bank, const Run &run,
                              std::chrono::milliseconds gap)
{
    const auto searchWindow = std::size_t(SampleRate * double(gap.count()) / 1000);
    std::vector<double> milliseconds;
    for (const Press &press : run.presses) {
        const std::size_t from = monitor.framesBy(press.at);
        const auto start = noteStart(monitor.frames(), from, from + searchWindow, bank.pcm(press.note));
        if (const auto arrived = start ? monitor.arrival(*start) : std::nullopt)
            milliseconds.push_back(Milliseconds(*arrived - press.at).count());
    }
    return milliseconds;
}

void printRow(const Run &run, const std::vector<double> &latencies)
{
    const Spread spread = Spread::of(latencies);
    std::printf("%-24s %6d ", qPrintable(run.choice.name), run.framesPerPeriod);
    if (run.lateNotes)
        std::printf("%6.2f", run.delayMs);
    else
        std::printf("%6s", "-");
    std::printf(" | %6.2f %6.2f %6.2f %6.2f %7.2f | ", spread.median, spread.p5, spread.p95, spread.max,
                spread.p95 - spread.p5);
    if (run.lateNotes)
        std::printf("%4llu %7.1f", static_cast<unsigned long long>(*run.lateNotes), *run.lagMs);
    else
        std::printf("%4s %7s", "-", "-");
    std::printf(" | %3zu/%-3zu %3d | %4.2f-%4.2f\n", latencies.size(), run.presses.size(), run.recorded, run.loadBefore,
                run.loadAfter);
}

} // namespace

int main(int argc, char *argv[])
{
    // Each row as soon as it is known, also into a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    setUpApplication();
    XTestKeyboard keyboard;
    if (!keyboard.isUsable()) {
        std::fprintf(stderr, "needs an X server with the XTEST extension in $DISPLAY: run bench/latency.sh\n");
        return 1;
    }

    QStringList arguments = QCoreApplication::arguments().mid(1);
    int notes = 60;
    auto gap = std::chrono::milliseconds(300);
    std::vector<Run> runs;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--notes") && i + 1 < arguments.size()) {
            notes = arguments[++i].toInt();
        } else if (arguments[i] == QLatin1String("--gap-ms") && i + 1 < arguments.size()) {
            gap = std::chrono::milliseconds(arguments[++i].toInt());
        } else if (const auto choice = parseOutput(arguments[i])) {
            runs.emplace_back().choice = *choice;
        } else {
            runs.clear();
            break;
        }
    }
    if (runs.empty() || notes < 1 || gap < std::chrono::milliseconds(100)) {
        std::fprintf(stderr, "usage: morvil_latency [--notes N] [--gap-ms G >= 100] "
                             "stream[:FRAMES[:MARGIN_MS]][:journal] | per-sound[:FRAMES] ...\n");
        return 1;
    }

    const SampleBank bank = SampleBank::embedded();
    SoundServerMonitor monitor;
    if (!monitor.start()) {
        std::fprintf(stderr, "cannot start parec\n");
        return 1;
    }
    // An idle null sink lets the first stream's audio flow late: let it settle first.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    // An output that fails is reported in its row; the others are still measured.
    for (Run &run : runs)
        playThrough(run, keyboard, notes, gap);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    monitor.stop();

    const auto played = std::ranges::find_if(runs, [](const Run &run) { return !run.driver.isEmpty(); });
    std::printf("SDL audio driver %s; %d notes %lld ms apart per output, from the X key event to the note's first "
                "frame at the null sink's monitor\n",
                played == runs.end() ? "none" : played->driver.constData(), notes, static_cast<long long>(gap.count()));
    std::printf("%-24s %6s %6s | %6s %6s %6s %6s %7s | %4s %7s | %7s %3s | %s\n", "output", "period", "D ms", "median",
                "p5", "p95", "max", "p95-p5", "late", "lag ms", "found", "rec", "load average");
    bool failed = false;
    for (const Run &run : runs) {
        if (run.failure.isEmpty()) {
            printRow(run, latencies(monitor, bank, run, gap));
        } else {
            std::printf("%-24s %s\n", qPrintable(run.choice.name), qPrintable(run.failure));
            failed = true;
        }
    }
    std::printf("late: notes, played or replayed, that reached the stream after their frame had been rendered; lag: "
                "how far the stream fell behind the clock (underruns) by the end\n");
    return failed ? 1 : 0;
}
