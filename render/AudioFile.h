#pragma once

#include <functional>

class AudioRenderer;
class QIODevice;

enum class AudioContainer
{
    Wav,
    Flac,
    Ogg
};

// Writes what the renderer plays as a mono sound file: 16-bit PCM in WAV and
// FLAC, Vorbis in Ogg. At a rate other than the samples' own the frames are
// resampled on the way. progress, when given, hears the share done (0 ... 1) now
// and then. Raises Error naming the reason when the file cannot be written.
void writeAudioFile(QIODevice &device, AudioContainer container, int rate, AudioRenderer &renderer,
                    const std::function<void(double done)> &progress = {});
