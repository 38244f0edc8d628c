#include "Application.h"

#include "Fonts.h"
#include "HintDelayStyle.h"
#include "ProgramInfo.h"

#include <QApplication>
#include <QIcon>

void setUpApplication()
{
    installFontSubstitutes();
    // The windows set the delay of their hints through the style.
    if (!qobject_cast<HintDelayStyle *>(QApplication::style()))
        QApplication::setStyle(new HintDelayStyle);
    QApplication::setApplicationName(QStringLiteral("Morvil"));
    // No display name: on X11 Qt would append it to every window's title. The
    // program's title is the main window's own, which the task bar shows.
    // The desktop finds the installed entry and its icon by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ProgramInfo::DesktopId));
    QIcon icon;
    for (const int size : {16, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/pictures/icon%1.png").arg(size));
    QApplication::setWindowIcon(icon);
}

void preferXWayland()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}
