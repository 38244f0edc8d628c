#include "TForm1.h"
#include "ui_TForm1.h"

#include "NoteKeyDispatcher.h"
#include "ProgramInfo.h"
#include "Tabtx.h"

#include <QAction>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QUrl>

void TForm1::setAboutWindow(Tabtx &abtx)
{
    m_abtx = &abtx;
    abtx.setMainWindowKeys([this](const QKeyEvent &key) { return actionForKey(key); });
}

void TForm1::SpeedButton5Click()
{
    if (m_abtx)
        m_abtx->showInFront();
}

void TForm1::DierProgramlar1Click()
{
    SpeedButton5Click();
}

// Hands the site to the desktop and carries on at once; whether a browser comes
// up is not reported.
void TForm1::YeniSrmkontrolYap1Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(ProgramInfo::WebSiteUrl)));
}

// This window's own action keys: a note key of the table in force, or the shortcut
// of a zoom or fold action. The menu's shortcuts are not among them.
QAction *TForm1::actionForKey(const QKeyEvent &key) const
{
    if (QAction *note = findChild<NoteKeyDispatcher *>()->noteActionFor(key))
        return note;
    const QKeySequence pressed(key.keyCombination());
    for (QAction *action : {MN80, MN90, MN100, MN110, MN125, MN150, MN200, mnbk}) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed)
            return action;
    }
    return nullptr;
}
