#include "ErrorReport.h"
#include "QtMessagePump.h"
#include "SdlSoundOutput.h"
#include "TForm1.h"

#include <QApplication>
#include <QScreen>
#include <QSettings>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvil"));
    QApplication::setApplicationDisplayName(applicationTitle());

    SdlSoundOutput sound;
    QtMessagePump pump;
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Morvil"), QStringLiteral("morvil"));
    TForm1 form(sound, pump, settings);

    const QRect screen = form.screen()->geometry();
    form.move(std::max(0, (screen.width() - form.width()) / 2), std::max(0, (screen.height() - form.height()) / 2));
    form.show();
    return app.exec();
}
