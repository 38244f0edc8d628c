#include "SdlSoundOutput.h"

#include "Error.h"
#include "SampleMixer.h"

#include <SDL.h>

#include <array>
#include <atomic>

namespace {

// 128 frames (5.8 ms) per callback: measured through PulseAudio, a note then
// sounds about 6 ms after the key, against 12 ms with 256 frames.
constexpr int FramesPerPeriod = 128;

using Samples = std::span<const std::int16_t>;

// Hands the newest sample from the window's thread to the audio callback without
// locks or allocation: a triple buffer. Each side owns one slot; the third is
// swapped through an atomic index that also says whether it holds a new sample.
class SampleHandoff
{
public:
    void send(Samples samples)
    {
        m_slots[m_senderSlot] = samples;
        m_senderSlot = m_shared.exchange(m_senderSlot | Fresh, std::memory_order_acq_rel) & SlotMask;
    }

    // True with the newest sample sent since the last call.
    bool receive(Samples &samples)
    {
        if (!(m_shared.load(std::memory_order_relaxed) & Fresh))
            return false;
        m_receiverSlot = m_shared.exchange(m_receiverSlot, std::memory_order_acq_rel) & SlotMask;
        samples = m_slots[m_receiverSlot];
        return true;
    }

private:
    static constexpr unsigned SlotMask = 3;
    static constexpr unsigned Fresh = 4;

    // The audio callback must never wait for the window's thread.
    static_assert(std::atomic<unsigned>::is_always_lock_free);

    std::array<Samples, 3> m_slots;
    unsigned m_senderSlot = 0;
    std::atomic<unsigned> m_shared{1};
    unsigned m_receiverSlot = 2;
};

} // namespace

// Runs on SDL's audio thread: touches only its own state and the handoff.
class SdlSoundOutput::Mixer
{
public:
    static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

    SampleHandoff handoff;
    std::atomic<std::uint64_t> framesBegun{0};

    void render(std::span<std::int16_t> out)
    {
        framesBegun += out.size();
        Samples next;
        if (handoff.receive(next))
            m_mix.start(next);
        m_mix.render(out);
    }

    // Only while the callback cannot run: the stream's device is locked or closed.
    void silence()
    {
        Samples pending;
        handoff.receive(pending);
        m_mix.silence();
    }

    static void callback(void *mixer, Uint8 *stream, int bytes)
    {
        static_cast<Mixer *>(mixer)->render(
            {reinterpret_cast<std::int16_t *>(stream), std::size_t(bytes) / sizeof(std::int16_t)});
    }

private:
    SampleMixer m_mix;
};

SdlSoundOutput::SdlSoundOutput(DeviceCount deviceCount)
    : m_deviceCount(deviceCount ? std::move(deviceCount) : [] { return SDL_GetNumAudioDevices(0); }),
      m_mixer(std::make_unique<Mixer>())
{
    // SDL would otherwise turn SIGINT and SIGTERM into events nobody reads, and
    // the program could no longer be ended by a signal.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_audioInitialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
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

std::uint64_t SdlSoundOutput::framesBegun() const
{
    return m_mixer->framesBegun;
}

bool SdlSoundOutput::hasDevice() const
{
    // A negative count means the driver cannot enumerate its devices: try opening.
    return m_audioInitialised && m_deviceCount() != 0;
}

void SdlSoundOutput::play(std::span<const std::int16_t> pcm)
{
    if (m_stream == 0 || SDL_GetAudioDeviceStatus(m_stream) == SDL_AUDIO_STOPPED) {
        closeStream();
        if (!hasDevice())
            return;
        if (!openStream())
            throw Error(QStringLiteral("A call to an OS function failed"));
    }
    m_mixer->handoff.send(pcm);
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
    wanted.samples = FramesPerPeriod;
    wanted.callback = &Mixer::callback;
    wanted.userdata = m_mixer.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device needs.
    m_stream = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (m_stream == 0)
        return false;
    m_framesPerPeriod = obtained.samples;
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
