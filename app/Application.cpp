#include "Application.h"

#include "Fonts.h"
#include "HintDelayStyle.h"
#include "ProgramInfo.h"
#include "SdlSoundOutput.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's own dialogs and standard buttons ("Farklı Kaydet", "Evet", "İptal") in Turkish
// like the rest of the program, whatever the desktop's language. Without Qt's
// translation (Debian's qt6-translations-l10n) they stay in Qt's English.
void installQtTranslation()
{
    const QString name = QStringLiteral("qtbase_tr");
    if (qApp->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly))
        return;
    auto *translator = new QTranslator(qApp);
    translator->setObjectName(name);
    if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void setUpApplication()
{
    installFontSubstitutes();
    installQtTranslation();
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

OutputTiming audioTiming()
{
    constexpr int ShortestPeriod = 16;
    constexpr int LongestPeriod = 4096;
    OutputTiming timing;
    bool isNumber = false;
    const int frames = qEnvironmentVariableIntValue("MORVIL_AUDIO_PERIOD", &isNumber);
    if (isNumber && frames >= ShortestPeriod && frames <= LongestPeriod)
        timing.framesPerPeriod = frames;
    return timing;
}
