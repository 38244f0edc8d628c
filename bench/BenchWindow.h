#pragma once

#include "QtMessagePump.h"
#include "QtSettingsStore.h"
#include "SdlSoundOutput.h"
#include "TForm1.h"

#include <QTemporaryDir>

#include <utility>

// The program's window as main() builds it, its settings kept in a scratch folder
// so that a benchmark neither reads nor changes the user's. The sound output is
// the program's unless a benchmark compares another; it is made from the
// arguments given.
template <typename Sound = SdlSoundOutput> struct BenchWindow
{
    template <typename... SoundArguments>
    explicit BenchWindow(SoundArguments &&...arguments) : sound(std::forward<SoundArguments>(arguments)...)
    {
    }

    QTemporaryDir scratch;
    QtSettingsStore settings{scratch.filePath(QStringLiteral("morvil.ini"))};
    Sound sound;
    QtMessagePump pump;
    TForm1 form{sound, pump, settings};
};
