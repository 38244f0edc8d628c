#include "Application.h"
#include "QtMessagePump.h"
#include "SdlSoundOutput.h"
#include "TForm1.h"
#include "Tabtx.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();

    SdlSoundOutput sound;
    QtMessagePump pump;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Morvil"), QStringLiteral("morvil"));
    TForm1 form(sound, pump, settings);
    // Hidden until asked for, and kept until the program ends.
    Tabtx abtx;
    form.setAboutWindow(abtx);
    form.show();
    return app.exec();
}
