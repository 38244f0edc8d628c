#include "SdlSoundOutput.h"

#include "Error.h"
#include "OutputClock.h"
#include "SampleMixer.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <optional>

namespace {

using Samples = std::span<const std::int16_t>;
using Nanoseconds = OutputClock::Nanoseconds;

Nanoseconds sinceEpoch(SoundOutput::Clock::time_point time)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

// SDL 2 tries PulseAudio before PipeWire, so on a PipeWire desktop (Debian 12's) it
// would play through PipeWire's PulseAudio emulation, measured at two to three times
// the latency of PipeWire's own driver (README, "Benchmarks"). PipeWire's driver is
// kept only where it has a device: a PipeWire that carries no sound gives way to
// SDL's own choice. SDL_AUDIODRIVER, when set, decides alone.
bool initialiseAudio()
{
    if (!SDL_GetHint(SDL_HINT_AUDIODRIVER)) {
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "pipewire");
        const bool pipeWire = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        if (pipeWire && SDL_GetNumAudioDevices(0) > 0)
            return true;
        if (pipeWire)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

struct DueNote
{
    Samples samples;
    Nanoseconds due = 0;
};

// Hands the notes from the window's thread to the audio callback without locks
// or allocation: a ring that one thread fills and the other empties.
class NoteQueue
{
public:
    // False when the ring is full: the callback has not run for a long while.
    bool push(const DueNote &note)
    {
        const std::size_t tail = m_tail.load(std::memory_order_relaxed);
        const std::size_t next = (tail + 1) % Capacity;
        if (next == m_head.load(std::memory_order_acquire))
            return false;
        m_notes[tail] = note;
        m_tail.store(next, std::memory_order_release);
        return true;
    }

    bool pop(DueNote &note)
    {
        const std::size_t head = m_head.load(std::memory_order_relaxed);
        if (head == m_tail.load(std::memory_order_acquire))
            return false;
        note = m_notes[head];
        m_head.store((head + 1) % Capacity, std::memory_order_release);
        return true;
    }

private:
    static constexpr std::size_t Capacity = 64;

    // The audio callback must never wait for the window's thread.
    static_assert(std::atomic<std::size_t>::is_always_lock_free);

    std::array<DueNote, Capacity> m_notes;
    std::atomic<std::size_t> m_head{0};
    std::atomic<std::size_t> m_tail{0};
};

} // namespace

// Runs on SDL's audio thread: touches only its own state and the queue.
class SdlSoundOutput::Mixer
{
public:
    static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

    NoteQueue queue;
    std::atomic<std::uint64_t> framesBegun{0};
    std::atomic<std::uint64_t> lateNotes{0};

    // Only while the callback cannot run: the stream is closed.
    void useClock(const OutputClock &clock) { m_clock.emplace(clock); }

    void render(std::span<std::int16_t> out)
    {
        const std::uint64_t first = framesBegun.load(std::memory_order_relaxed);
        m_clock->periodBegins(sinceEpoch(Clock::now()), first);
        framesBegun.store(first + out.size(), std::memory_order_relaxed);
        takeQueuedNotes(first);

        std::size_t done = 0;
        while (done < out.size()) {
            std::size_t until = out.size();
            if (m_scheduled > 0) {
                const std::size_t at = std::size_t(m_notes[0].frame - std::int64_t(first));
                if (at <= done) {
                    m_mix.start(m_notes[0].samples);
                    std::move(m_notes.begin() + 1, m_notes.begin() + m_scheduled, m_notes.begin());
                    --m_scheduled;
                    continue;
                }
                until = std::min(until, at);
            }
            m_mix.render(out.subspan(done, until - done));
            done = until;
        }
    }

    // Only while the callback cannot run: the stream's device is locked or closed.
    void silence()
    {
        DueNote pending;
        while (queue.pop(pending)) {
        }
        m_scheduled = 0;
        m_mix.silence();
    }

    static void callback(void *mixer, Uint8 *stream, int bytes)
    {
        static_cast<Mixer *>(mixer)->render(
            {reinterpret_cast<std::int16_t *>(stream), std::size_t(bytes) / sizeof(std::int16_t)});
    }

private:
    struct ScheduledNote
    {
        Samples samples;
        std::int64_t frame;
    };

    // Into the schedule in the order of their frames, notes of one frame in the
    // order they were played; a frame already rendered is the period's first.
    void takeQueuedNotes(std::uint64_t firstFrame)
    {
        DueNote note;
        while (queue.pop(note)) {
            std::int64_t frame = m_clock->frameAt(note.due);
            if (frame < std::int64_t(firstFrame)) {
                frame = std::int64_t(firstFrame);
                lateNotes.fetch_add(1, std::memory_order_relaxed);
            }
            if (m_scheduled == m_notes.size()) {
                lateNotes.fetch_add(1, std::memory_order_relaxed);
                continue;
            }
            auto *place =
                std::upper_bound(m_notes.begin(), m_notes.begin() + m_scheduled, frame,
                                 [](std::int64_t at, const ScheduledNote &other) { return at < other.frame; });
            std::move_backward(place, m_notes.begin() + m_scheduled, m_notes.begin() + m_scheduled + 1);
            *place = {note.samples, frame};
            ++m_scheduled;
        }
    }

    std::optional<OutputClock> m_clock;
    std::array<ScheduledNote, 64> m_notes;
    std::size_t m_scheduled = 0;
    SampleMixer m_mix;
};

SdlSoundOutput::SdlSoundOutput(DeviceCount deviceCount, OutputTiming timing)
    : m_deviceCount(deviceCount ? std::move(deviceCount) : [] { return SDL_GetNumAudioDevices(0); }), m_timing(timing),
      m_mixer(std::make_unique<Mixer>())
{
    // SDL would otherwise turn SIGINT and SIGTERM into events nobody reads, and
    // the program could no longer be ended by a signal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_audioInitialised = initialiseAudio();
    // A stream that cannot open now is tried again, and reported, at the first note.
    if (hasDevice())
        openStream();
}

SdlSoundOutput::~SdlSoundOutput()
{
    closeStream();
    if (m_audioInitialised)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::chrono::microseconds SdlSoundOutput::latency() const
{
    const int period = m_framesPerPeriod > 0 ? m_framesPerPeriod : m_timing.framesPerPeriod;
    return std::chrono::microseconds(std::int64_t(period) * 1'000'000 / SampleMixer::SampleRate) + m_timing.margin;
}

std::uint64_t SdlSoundOutput::framesBegun() const
{
    return m_mixer->framesBegun;
}

std::uint64_t SdlSoundOutput::lateNotes() const
{
    return m_mixer->lateNotes;
}

bool SdlSoundOutput::hasDevice() const
{
    // A negative count means the driver cannot enumerate its devices: try opening.
    return m_audioInitialised && m_deviceCount() != 0;
}

void SdlSoundOutput::play(std::span<const std::int16_t> pcm, Clock::time_point due)
{
    if (m_stream == 0 || SDL_GetAudioDeviceStatus(m_stream) == SDL_AUDIO_STOPPED) {
        closeStream();
        if (!hasDevice())
            return;
        if (!openStream())
            throw Error(QStringLiteral("A call to an OS function failed"));
    }
    if (!m_mixer->queue.push({pcm, sinceEpoch(due)}))
        m_mixer->lateNotes.fetch_add(1, std::memory_order_relaxed);
}

void SdlSoundOutput::stop()
{
    if (m_stream != 0)
        SDL_LockAudioDevice(m_stream);
    m_mixer->silence();
    if (m_stream != 0)
        SDL_UnlockAudioDevice(m_stream);
}

bool SdlSoundOutput::openStream()
{
    SDL_AudioSpec wanted{};
    wanted.freq = SampleMixer::SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = Uint16(m_timing.framesPerPeriod);
    wanted.callback = &Mixer::callback;
    wanted.userdata = m_mixer.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device needs.
    m_stream = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (m_stream == 0)
        return false;
    m_framesPerPeriod = obtained.samples;
    m_mixer->useClock(OutputClock(SampleMixer::SampleRate, m_framesPerPeriod,
                                  std::chrono::duration_cast<std::chrono::nanoseconds>(latency()).count()));
    SDL_PauseAudioDevice(m_stream, 0);
    return true;
}

void SdlSoundOutput::closeStream()
{
    if (m_stream != 0)
        SDL_CloseAudioDevice(m_stream);
    m_stream = 0;
    m_framesPerPeriod = 0;
}
