#include "Application.h"
#include "QtMessagePump.h"
#include "SdlSoundOutput.h"
#include "StartArguments.h"
#include "TForm1.h"
#include "Tabtx.h"

#include <QApplication>

// Where the settings are kept: the registry on Windows, an INI file elsewhere.
#ifdef Q_OS_WIN
#include "RegistrySettingsStore_win.h"
using ProgramSettingsStore = RegistrySettingsStore;
#else
#include "QtSettingsStore.h"
using ProgramSettingsStore = QtSettingsStore;
#endif

int main(int argc, char *argv[])
{
    preferXWayland();
    QApplication app(argc, argv);
    const std::optional<StartArguments> arguments = readStartArguments(QCoreApplication::arguments());
    if (!arguments)
        return UsageExitCode;
    setUpApplication();

    SdlSoundOutput sound({}, audioTiming());
    QtMessagePump pump;
    ProgramSettingsStore settings;
    TForm1 form(sound, pump, settings);
    // Hidden until asked for, and kept until the program ends.
    Tabtx abtx;
    form.setAboutWindow(abtx);
    form.show();
    // After the first show, whose zoom re-creates the window, so that the question
    // stands over the window as it stays; before the message loop, so that no note
    // can be recorded before the list is back.
    const bool broughtBack = form.startJournal(defaultJournalFolder());
    // Once the journal runs, so that it records the opened list as after "Aç...";
    // not over notes just brought back, which no file holds yet.
    if (!arguments->noteList.isEmpty() && !broughtBack)
        form.openGivenNoteList(arguments->noteList);
    return app.exec();
}
