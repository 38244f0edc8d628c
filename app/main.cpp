#include "Application.h"
#include "QtMessagePump.h"
#include "QtSettingsStore.h"
#include "SdlSoundOutput.h"
#include "TForm1.h"
#include "Tabtx.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    preferXWayland();
    QApplication app(argc, argv);
    setUpApplication();

    SdlSoundOutput sound;
    QtMessagePump pump;
    QtSettingsStore settings;
    TForm1 form(sound, pump, settings);
    // Hidden until asked for, and kept until the program ends.
    Tabtx abtx;
    form.setAboutWindow(abtx);
    form.show();
    // After the first show, whose zoom re-creates the window, so that the question
    // stands over the window as it stays; before the message loop, so that no note
    // can be recorded before the list is back.
    form.startJournal(defaultJournalFolder());
    return app.exec();
}
