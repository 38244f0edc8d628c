#include "AudioFile.h"

#include "AudioRenderer.h"
#include "Error.h"
#include "SampleMixer.h"

#include <QFileDevice>

#include <samplerate.h>
#include <sndfile.h>

#include <array>
#include <memory>
#include <vector>

namespace {

constexpr std::size_t BlockFrames = 8192;

// libsndfile writes through the device, so any QIODevice can take the file.
SF_VIRTUAL_IO deviceIo()
{
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void *device) -> sf_count_t { return static_cast<QIODevice *>(device)->size(); };
    io.seek = [](sf_count_t offset, int whence, void *user) -> sf_count_t {
        auto *device = static_cast<QIODevice *>(user);
        const sf_count_t base = whence == SEEK_CUR ? device->pos() : whence == SEEK_END ? device->size() : 0;
        return device->seek(base + offset) ? device->pos() : -1;
    };
    io.read = [](void *data, sf_count_t bytes, void *device) -> sf_count_t {
        return static_cast<QIODevice *>(device)->read(static_cast<char *>(data), bytes);
    };
    io.write = [](const void *data, sf_count_t bytes, void *device) -> sf_count_t {
        return static_cast<QIODevice *>(device)->write(static_cast<const char *>(data), bytes);
    };
    io.tell = [](void *device) -> sf_count_t { return static_cast<QIODevice *>(device)->pos(); };
    return io;
}

int sndfileFormat(AudioContainer container)
{
    switch (container) {
    case AudioContainer::Wav:
        return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    case AudioContainer::Flac:
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    case AudioContainer::Ogg:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    }
    return 0;
}

struct SndfileCloser
{
    void operator()(SNDFILE *file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SndfileCloser>;

struct ResamplerDeleter
{
    void operator()(SRC_STATE *state) const { src_delete(state); }
};

class Writer
{
public:
    Writer(QIODevice &device, AudioContainer container, int rate) : m_device(device), m_io(deviceIo())
    {
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = 1;
        info.format = sndfileFormat(container);
        m_file.reset(sf_open_virtual(&m_io, SFM_WRITE, &info, &m_device));
        if (!m_file)
            throw Error(QString::fromUtf8(sf_strerror(nullptr)));
        // Resampling can overshoot full scale a little; clip rather than wrap.
        sf_command(m_file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    }

    template <typename Frame> void write(std::span<const Frame> frames)
    {
        sf_count_t written = 0;
        if constexpr (std::is_same_v<Frame, float>)
            written = sf_writef_float(m_file.get(), frames.data(), sf_count_t(frames.size()));
        else
            written = sf_writef_short(m_file.get(), frames.data(), sf_count_t(frames.size()));
        if (written != sf_count_t(frames.size()))
            throw Error(writeError());
    }

    void close()
    {
        if (sf_close(m_file.release()) != 0)
            throw Error(writeError());
    }

private:
    // The device knows best why a write failed (a full disk, say).
    QString writeError() const
    {
        if (const auto *file = qobject_cast<const QFileDevice *>(&m_device);
            file && file->error() != QFileDevice::NoError)
            return file->errorString();
        return QString::fromUtf8(sf_strerror(m_file.get()));
    }

    QIODevice &m_device;
    SF_VIRTUAL_IO m_io;
    SoundFile m_file;
};

} // namespace

void writeAudioFile(QIODevice &device, AudioContainer container, int rate, AudioRenderer &renderer,
                    const std::function<void(double done)> &progress)
{
    Writer writer(device, container, rate);
    const double total = double(std::max<std::uint64_t>(renderer.totalFrames(), 1));
    std::uint64_t rendered = 0;
    std::vector<std::int16_t> frames(BlockFrames);

    std::unique_ptr<SRC_STATE, ResamplerDeleter> resampler;
    std::vector<float> in, out;
    if (rate != SampleMixer::SampleRate) {
        int error = 0;
        resampler.reset(src_new(SRC_SINC_MEDIUM_QUALITY, 1, &error));
        if (!resampler)
            throw Error(QString::fromUtf8(src_strerror(error)));
        in.resize(BlockFrames);
        out.resize(BlockFrames * 48000 / SampleMixer::SampleRate + 64);
    }

    for (;;) {
        const std::size_t count = renderer.render(frames);
        rendered += count;
        if (!resampler) {
            if (count == 0)
                break;
            writer.write(std::span<const std::int16_t>(frames.data(), count));
        } else {
            src_short_to_float_array(frames.data(), in.data(), int(count));
            SRC_DATA data{};
            data.data_in = in.data();
            data.input_frames = long(count);
            data.src_ratio = double(rate) / SampleMixer::SampleRate;
            data.end_of_input = count == 0;
            // At the end the filter's tail comes out over several calls.
            do {
                data.data_out = out.data();
                data.output_frames = long(out.size());
                if (const int error = src_process(resampler.get(), &data))
                    throw Error(QString::fromUtf8(src_strerror(error)));
                writer.write(std::span<const float>(out.data(), std::size_t(data.output_frames_gen)));
                data.data_in += data.input_frames_used;
                data.input_frames -= data.input_frames_used;
            } while (data.input_frames > 0 || (data.end_of_input && data.output_frames_gen > 0));
            if (count == 0)
                break;
        }
        if (progress)
            progress(double(rendered) / total);
    }
    writer.close();
}
