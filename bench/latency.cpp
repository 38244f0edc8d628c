// How long a note takes to sound: from a key event posted to a window, and from
// the play() call, to the note's first frame at the output. Plays through the
// persistent stream the program uses, then through a stream opened per sound
// (how a "play this WAV file" call works), records what reaches the sound
// server with parec and prints a table. The persistent stream plays twice: as
// it is, and with each note journaled after its play() call as the window does.
// Run it through bench/latency.sh, which provides a PulseAudio daemon with a
// null sink "t".

#include "NoteRecord.h"
#include "NoteTable.h"
#include "RecoveryJournal.h"
#include "SampleBank.h"
#include "SamplePlayer.h"
#include "SdlSoundOutput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Samples = std::span<const std::int16_t>;

constexpr double SampleRate = 22050;
constexpr int NotesPerOutput = 60;
constexpr int MillisecondsBetweenNotes = 300;
// A note is recognised by frames 20 ms into it: past the ramp, where the
// persistent stream mixes in the old note, and past the rewinds with which the
// sound server splices in a stream that has just connected or underrun.
constexpr std::size_t MatchOffset = 441;
constexpr std::size_t MatchFrames = 256;

// Records the null sink's monitor with parec; every read is stamped with the time
// it returned, so each frame's arrival can be placed on the clock.
class MonitorRecorder
{
public:
    struct Read
    {
        Clock::time_point at;
        std::size_t framesSoFar;
    };

    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            execlp("parec", "parec", "-d", "t.monitor", "--raw", "--format=s16le", "--rate=22050", "--channels=1",
                   "--latency-msec=5", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        if (m_pid < 0) {
            close(fds[0]);
            return false;
        }
        m_thread = std::thread([this, fd = fds[0]] { readUntilClosed(fd); });
        return true;
    }

    void stop()
    {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_thread.join();
    }

    const std::vector<std::int16_t> &frames() const { return m_frames; }

    // Frames that had reached the monitor by time.
    std::size_t framesBy(Clock::time_point time) const
    {
        const auto read = std::ranges::upper_bound(m_reads, time, {}, &Read::at);
        return read == m_reads.begin() ? 0 : std::prev(read)->framesSoFar;
    }

    // When frame reached the monitor: the read that delivered it, less the frames after it in that read.
    std::optional<Clock::time_point> arrival(std::size_t frame) const
    {
        const auto read = std::ranges::upper_bound(m_reads, frame, {}, &Read::framesSoFar);
        if (read == m_reads.end())
            return std::nullopt;
        const double framesLater = double(read->framesSoFar - frame);
        return read->at -
               std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(framesLater / SampleRate));
    }

private:
    void readUntilClosed(int fd)
    {
        std::vector<char> bytes;
        char buffer[4096];
        for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
            const Clock::time_point at = Clock::now();
            bytes.insert(bytes.end(), buffer, buffer + got);
            m_reads.push_back({at, bytes.size() / 2});
        }
        close(fd);
        m_frames.resize(bytes.size() / 2);
        std::memcpy(m_frames.data(), bytes.data(), m_frames.size() * 2);
    }

    pid_t m_pid = -1;
    std::thread m_thread;
    std::vector<Read> m_reads;
    std::vector<std::int16_t> m_frames;
};

// A stream opened for each sound, closed when the next one starts.
class StreamPerSound : public SoundOutput
{
public:
    StreamPerSound() { SDL_InitSubSystem(SDL_INIT_AUDIO); }
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
        wanted.samples = 256;
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

    SDL_AudioDeviceID m_stream = 0;
};

struct Trigger
{
    int note;
    Clock::time_point keyPosted;
    Clock::time_point playCalled;
};

// The window side: a key press plays a note, then journals it, as in the program.
class KeyWindow : public QWidget
{
public:
    KeyWindow(SamplePlayer &player, std::vector<Trigger> &triggers, RecoveryJournal *journal)
        : m_player(player), m_triggers(triggers), m_journal(journal)
    {
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        Trigger &trigger = m_triggers.back();
        trigger.playCalled = Clock::now();
        m_player.play(trigger.note);
        if (m_journal)
            m_journal->noteAdded(noteRecord(trigger.note, 0), noteDisplayLine(trigger.note));
        event->accept();
    }

private:
    SamplePlayer &m_player;
    std::vector<Trigger> &m_triggers;
    RecoveryJournal *m_journal;
};

// Posts NotesPerOutput key presses to a window, one every MillisecondsBetweenNotes, and runs the event loop.
void playKeys(const SampleBank &bank, SoundOutput &output, std::vector<Trigger> &triggers,
              RecoveryJournal *journal = nullptr)
{
    SamplePlayer player(bank, output);
    KeyWindow window(player, triggers, journal);
    QTimer timer;
    int posted = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (posted == NotesPerOutput) {
            timer.stop();
            QTimer::singleShot(1000, qApp, &QCoreApplication::quit);
            return;
        }
        triggers.push_back({posted % 9, Clock::now(), {}});
        QCoreApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        ++posted;
    });
    timer.start(MillisecondsBetweenNotes);
    QCoreApplication::exec();
}

// Where sample's first frame lies in the capture, between from and to.
std::optional<std::size_t> startOf(Samples capture, std::size_t from, std::size_t to, Samples sample)
{
    const Samples pattern = sample.subspan(MatchOffset, MatchFrames);
    double energy = 0;
    for (const std::int16_t value : pattern)
        energy += double(value) * value;
    to = std::min(to, capture.size() - MatchOffset - MatchFrames);
    for (std::size_t at = from; at < to; ++at) {
        double error = 0;
        for (std::size_t i = 0; i < MatchFrames && error <= energy * 1e-3; ++i) {
            const double difference = double(capture[at + MatchOffset + i]) - pattern[i];
            error += difference * difference;
        }
        if (error <= energy * 1e-3)
            return at;
    }
    return std::nullopt;
}

struct Figures
{
    std::vector<double> fromKey, fromPlay; // milliseconds
};

// Each note is looked for from what had reached the monitor when its key was
// posted until the next key, so one damaged note start cannot derail the rest.
Figures measure(const MonitorRecorder &recorder, const SampleBank &bank, const std::vector<Trigger> &triggers)
{
    constexpr auto searchWindow = std::size_t(SampleRate * MillisecondsBetweenNotes / 1000);
    const auto milliseconds = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    Figures figures;
    for (const Trigger &trigger : triggers) {
        const std::size_t from = std::max(recorder.framesBy(trigger.keyPosted), searchWindow / 4) - searchWindow / 4;
        const auto start = startOf(recorder.frames(), from, from + searchWindow, bank.pcm(trigger.note));
        const auto arrived = start ? recorder.arrival(*start) : std::nullopt;
        if (!arrived) {
            std::printf("note %d (key at %.3f s): start not found in the capture\n", trigger.note,
                        double(recorder.framesBy(trigger.keyPosted)) / SampleRate);
            continue;
        }
        figures.fromKey.push_back(milliseconds(*arrived - trigger.keyPosted));
        figures.fromPlay.push_back(milliseconds(*arrived - trigger.playCalled));
    }
    return figures;
}

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printRow(const char *name, const Figures &figures)
{
    if (figures.fromKey.empty()) {
        std::printf("%-20s no note found\n", name);
        return;
    }
    std::printf("%-20s %8.1f %8.1f %10.1f %8.1f %6zu/%d\n", name, median(figures.fromKey),
                std::ranges::max(figures.fromKey), median(figures.fromPlay), std::ranges::max(figures.fromPlay),
                figures.fromKey.size(), NotesPerOutput);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const SampleBank bank = SampleBank::embedded();
    MonitorRecorder recorder;
    if (!recorder.start()) {
        std::fprintf(stderr, "cannot start parec\n");
        return 1;
    }
    // An idle null sink lets the first stream's audio flow late: let it settle first.
    std::this_thread::sleep_for(std::chrono::seconds(3));

    std::vector<Trigger> persistentTriggers, journaledTriggers, perSoundTriggers;
    int period = 0;
    QByteArray driver;
    {
        SdlSoundOutput output;
        driver = SDL_GetCurrentAudioDriver();
        if (!output.hasDevice()) {
            std::fprintf(stderr, "no audio device (SDL driver %s)\n", SDL_GetCurrentAudioDriver());
            recorder.stop();
            return 1;
        }
        period = output.framesPerPeriod();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        playKeys(bank, output, persistentTriggers);
        const QTemporaryDir journals;
        RecoveryJournal journal;
        journal.start(journals.path());
        playKeys(bank, output, journaledTriggers, &journal);
    }
    {
        StreamPerSound output;
        playKeys(bank, output, perSoundTriggers);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    recorder.stop();

    const Figures persistent = measure(recorder, bank, persistentTriggers);
    const Figures journaled = measure(recorder, bank, journaledTriggers);
    const Figures perSound = measure(recorder, bank, perSoundTriggers);
    std::printf("SDL audio driver %s, %d frames per period, %d notes %d ms apart per output\n", driver.constData(),
                period, NotesPerOutput, MillisecondsBetweenNotes);
    std::printf("%-20s %17s %19s %9s\n", "ms to first frame", "from key event", "from play()", "");
    std::printf("%-20s %8s %8s %10s %8s %9s\n", "output", "median", "max", "median", "max", "found");
    printRow("persistent stream", persistent);
    printRow("  + journal", journaled);
    printRow("stream per sound", perSound);
    if (!persistent.fromKey.empty() && !perSound.fromKey.empty())
        std::printf("persistent stream is %.1fx faster (median from key event)\n",
                    median(perSound.fromKey) / median(persistent.fromKey));
    return 0;
}
