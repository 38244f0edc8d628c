#pragma once

#include "QtMessagePump.h"
#include "QtSettingsStore.h"
#include "SdlSoundOutput.h"
#include "TForm1.h"

#include <QEventLoop>
#include <QTemporaryDir>

#include <thread>
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

// Runs play on a thread of its own while the window's thread records the notes it
// presses, then stops the recording from the window's thread.
template <typename Play> void recordWhile(TForm1 &form, Play play)
{
    QEventLoop recording;
    std::thread player([&] {
        play();
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
}
