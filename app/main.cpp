#include "ErrorReport.h"
#include "ProgramInfo.h"
#include "QtMessagePump.h"
#include "SdlSoundOutput.h"
#include "TForm1.h"
#include "Tabtx.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvil"));
    QApplication::setApplicationDisplayName(applicationTitle());
    // The desktop finds the installed entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ProgramInfo::DesktopId));
    QIcon icon;
    for (const int size : {16, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/pictures/icon%1.png").arg(size));
    QApplication::setWindowIcon(icon);

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
