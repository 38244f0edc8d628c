#pragma once

#include "QtMessagePump.h"
#include "QtSettingsStore.h"
#include "SdlSoundOutput.h"
#include "TForm1.h"

#include <QTemporaryDir>

// The program's window as main() builds it, its settings kept in a scratch folder
// so that a benchmark neither reads nor changes the user's.
struct BenchWindow
{
    QTemporaryDir scratch;
    QtSettingsStore settings{scratch.filePath(QStringLiteral("morvil.ini"))};
    SdlSoundOutput sound;
    QtMessagePump pump;
    TForm1 form{sound, pump, settings};
};
