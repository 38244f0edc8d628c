#include "TForm1.h"
#include "ui_TForm1.h"

#include "Colors.h"
#include "ErrorReport.h"
#include "Fonts.h"
#include "Panel.h"
#include "TBarPopupMenu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>

namespace {

// A command of the window: an action named as its menu item (or as its action in
// the window's action list), with its caption, its shortcut in Qt's portable text
// and the handler it runs.
struct Command
{
    const char *name;
    const char *caption; // UTF-8
    const char *shortcut;
    int image; // the menu picture, an index into the window's image list
    void (TForm1::*handler)();
    QAction *TForm1::*member = nullptr; // where the window keeps the action, if it refers to it
};

constexpr int NoImage = -1;

// The window's image list: the 16 x 16 menu pictures by index.
QIcon menuPicture(int image)
{
    if (image == NoImage)
        return {};
    return QIcon(QStringLiteral(":/pictures/menu%1.png").arg(image, 2, 10, QLatin1Char('0')));
}

enum class Entry
{
    Command,
    Separator,
    SubMenu,
    Linked
};

// One entry of the popup menu's tree, in order. Level 1 entries belong to the sub-menu
// above them. A command is the window's action of that name; a linked item takes its
// caption, shortcut and command from the action named in `source`; a sub-menu has its
// caption in `source`.
struct MenuEntry
{
    int level;
    Entry entry;
    const char *name;
    const char *source = nullptr; // UTF-8
    int image = NoImage;
};

constexpr MenuEntry MenuTree[] = {
    {0, Entry::Command, "YeniSrmkontrolYap1"},
    {0, Entry::Command, "DierProgramlar1"},
    {0, Entry::Separator, "N18"},
    {0, Entry::SubMenu, "KlavyeSeimi1", "Klavye Seçimi", 1},
    {1, Entry::Command, "FK"},
    {1, Entry::Command, "QK"},
    {0, Entry::Separator, "N19"},
    {0, Entry::SubMenu, "Yrt1", "Yürüt", 21},
    {1, Entry::Command, "Notalaral1"},
    {1, Entry::Command, "almaleminiBitir1"},
    {1, Entry::Separator, "N22"},
    {1, Entry::Command, "KaytleminiDurdur1"},
    {0, Entry::Separator, "N21"},
    {0, Entry::Command, "YeniListe1"},
    {0, Entry::Command, "A1"},
    {0, Entry::Command, "Listekaydet1"},
    {0, Entry::Command, "DntrerekKaydet1"},
    {0, Entry::Separator, "N20"},
    {0, Entry::Command, "ListeGizleGster1"},
    {0, Entry::Command, "SeiliNotadeitir1"},
    {0, Entry::Command, "SeiliNotaSil1"},
    {0, Entry::Separator, "N28"},
    {0, Entry::SubMenu, "RenkAyarlar1", "Renk Ayarları", 2},
    {1, Entry::Command, "enarizgileri1"},
    {1, Entry::Command, "letiRenkleri1"},
    {1, Entry::Command, "ZeminRengi1"},
    {1, Entry::Separator, "N29"},
    {1, Entry::Command, "ButonYazRengi1"},
    {1, Entry::Command, "ButonZeminRengi1"},
    {1, Entry::Separator, "N30"},
    {1, Entry::Command, "ListeZeminRengi1"},
    {1, Entry::Command, "ListeYazRengi1"},
    {1, Entry::Separator, "N31"},
    {1, Entry::Command, "VarsaylanRenkAyarlar1"},
    {0, Entry::Separator, "N32"},
    {0, Entry::SubMenu, "FormGrnm1", "Form Görünümü"},
    {1, Entry::Linked, "FormBK1", "mnbk"},
    {1, Entry::Separator, "N33"},
    {1, Entry::Linked, "N34", "MN80"},
    {1, Entry::Linked, "N35", "MN90"},
    {1, Entry::Linked, "N36", "MN100"},
    {1, Entry::Linked, "mn1", "MN110"},
    {1, Entry::Linked, "N37", "MN125"},
    {1, Entry::Linked, "N38", "MN150"},
    {1, Entry::Linked, "N39", "MN200"},
    {0, Entry::Separator, "N40"},
    {0, Entry::Command, "k1"},
};

// A menu item that follows an action: its caption, shortcut and state are the action's,
// also when they change, and choosing it runs the action.
QAction *linkedItem(const char *name, QAction *action, QMenu *menu)
{
    auto *item = new QAction(menu);
    item->setObjectName(QString::fromLatin1(name));
    const auto follow = [item, action] {
        item->setText(action->text());
        item->setShortcut(action->shortcut());
        item->setEnabled(action->isEnabled());
        item->setVisible(action->isVisible());
    };
    follow();
    QObject::connect(action, &QAction::changed, item, follow);
    QObject::connect(item, &QAction::triggered, action, &QAction::trigger);
    return item;
}

// A right click anywhere in the window opens its menu at the pointer, as on a
// control without a menu of its own. Some controls keep the click from the window:
// the drop-down list takes it itself, and Qt hands it to nobody for a disabled one.
class RightClickRelay : public QObject
{
public:
    RightClickRelay(QWidget *window, TBarPopupMenu *menu) : QObject(window), m_window(window), m_menu(menu)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *control = qobject_cast<QWidget *>(watched);
        if (event->type() != QEvent::ContextMenu || !control || control->window() != m_window)
            return false;
        const auto *click = static_cast<QContextMenuEvent *>(event);
        if (click->reason() != QContextMenuEvent::Mouse)
            return false;
        m_menu->Popup(click->globalPos().x(), click->globalPos().y());
        return true;
    }

private:
    QWidget *m_window;
    TBarPopupMenu *m_menu;
};

} // namespace

void TForm1::createCommandActions()
{
    // The zoom actions get their shortcuts at every show, not here.
    static const Command commands[] = {
        {"YeniSrmkontrolYap1", "Yeni Sürüm Kontrolü Yap...", "F5", 0, &TForm1::YeniSrmkontrolYap1Click},
        {"DierProgramlar1", "Diğer Programlar...", "", 12, &TForm1::DierProgramlar1Click},
        {"FK", "F Klavye", "Ctrl+F", NoImage, &TForm1::FKClick, &TForm1::FK},
        {"QK", "Q Klavye", "Ctrl+Q", NoImage, &TForm1::QKClick, &TForm1::QK},
        {"Notalaral1", "Notaları Çal", "Ctrl+F9", NoImage, &TForm1::Notalaral1Click},
        {"almaleminiBitir1", "Çalma İşlemini Bitir", "Ctrl+F10", NoImage, &TForm1::almaleminiBitir1Click},
        {"KaytleminiDurdur1", "Kayıt İşlemini Durdur", "Ctrl+F11", NoImage, &TForm1::KaytleminiDurdur1Click},
        {"YeniListe1", "Yeni", "Ctrl+N", 15, &TForm1::YeniListe1Click},
        {"A1", "Aç...", "Ctrl+O", 14, &TForm1::A1Click},
        {"Listekaydet1", "Kaydet...", "Ctrl+S", 13, &TForm1::Listekaydet1Click},
        {"DntrerekKaydet1", "Göründüğü Gibi Kaydet", "", 10, &TForm1::DntrerekKaydet1Click},
        {"ListeGizleGster1", "Liste Gizle/Göster", "Ctrl+G", 6, &TForm1::ListeGizleGster1Click},
        {"SeiliNotadeitir1", "Seçili Nota Değiştir", "", 8, &TForm1::SeiliNotadeitir1Click},
        {"SeiliNotaSil1", "Seçili Nota Sil", "", 11, &TForm1::SeiliNotaSil1Click},
        {"enarizgileri1", "Kenar Çizgileri", "", NoImage, &TForm1::enarizgileri1Click},
        {"letiRenkleri1", "İleti Renkleri", "", NoImage, &TForm1::letiRenkleri1Click},
        {"ZeminRengi1", "Zemin Rengi", "", NoImage, &TForm1::ZeminRengi1Click},
        {"ButonYazRengi1", "Buton Yazı Rengi", "", NoImage, &TForm1::ButonYazRengi1Click},
        {"ButonZeminRengi1", "Buton Zemin Rengi", "", NoImage, &TForm1::ButonZeminRengi1Click},
        {"ListeZeminRengi1", "Liste Zemin Rengi", "", NoImage, &TForm1::ListeZeminRengi1Click},
        {"ListeYazRengi1", "Liste Yazı Rengi", "", NoImage, &TForm1::ListeYazRengi1Click},
        {"VarsaylanRenkAyarlar1", "Varsayılan Renk Ayarları", "", NoImage, &TForm1::VarsaylanRenkAyarlar1Click},
        {"mnbk", "Form B/K", "", NoImage, &TForm1::mnbkExecute, &TForm1::mnbk},
        {"MN80", "%80", "", NoImage, &TForm1::MN80Execute, &TForm1::MN80},
        {"MN90", "%90", "", NoImage, &TForm1::MN90Execute, &TForm1::MN90},
        {"MN100", "%100", "", NoImage, &TForm1::MN100Execute, &TForm1::MN100},
        {"MN110", "%110", "", NoImage, &TForm1::MN110Execute, &TForm1::MN110},
        {"MN125", "%125", "", NoImage, &TForm1::MN125Execute, &TForm1::MN125},
        {"MN150", "%150", "", NoImage, &TForm1::MN150Execute, &TForm1::MN150},
        {"MN200", "%200", "", NoImage, &TForm1::MN200Execute, &TForm1::MN200},
        {"k1", "Çıkış", "", 5, &TForm1::k1Click},
    };
    for (const Command &command : commands) {
        auto *action = new QAction(QString::fromUtf8(command.caption), this);
        action->setObjectName(QString::fromLatin1(command.name));
        action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut), QKeySequence::PortableText));
        action->setIcon(menuPicture(command.image));
        addAction(action);
        connect(action, &QAction::triggered, this, reportingErrors(command.handler));
        if (command.member)
            this->*command.member = action;
    }
    // Plain check items, not a group; the window is created with both checked.
    for (QAction *layoutAction : {QK, FK}) {
        layoutAction->setCheckable(true);
        layoutAction->setChecked(true);
    }
}

void TForm1::createPopupMenu()
{
    BarPopupMenu1 = new TBarPopupMenu(this);
    BarPopupMenu1->setObjectName(QStringLiteral("BarPopupMenu1"));
    BarPopupMenu1->setBarWidth(22);
    BarPopupMenu1->setGradientStart(Colors::White);
    BarPopupMenu1->setGradientEnd(0x000000FF);
    BarPopupMenu1->setVerticalFont({designFont(QStringLiteral("Tahoma"), 16, true), Colors::White});
    BarPopupMenu1->setVerticalText(QStringLiteral("Morvil 1.0 Beta"));

    QMenu *subMenu = nullptr;
    for (const MenuEntry &entry : MenuTree) {
        QMenu *menu = entry.level == 0 ? BarPopupMenu1 : subMenu;
        const QString name = QString::fromLatin1(entry.name);
        switch (entry.entry) {
        case Entry::Command:
            menu->addAction(findChild<QAction *>(name, Qt::FindDirectChildrenOnly));
            break;
        case Entry::Separator:
            menu->addSeparator()->setObjectName(name);
            break;
        case Entry::SubMenu:
            subMenu = menu->addMenu(menuPicture(entry.image), QString::fromUtf8(entry.source));
            subMenu->setObjectName(name);
            subMenu->menuAction()->setObjectName(name);
            break;
        case Entry::Linked:
            menu->addAction(linkedItem(
                entry.name, findChild<QAction *>(QString::fromLatin1(entry.source), Qt::FindDirectChildrenOnly), menu));
            break;
        }
    }
    new RightClickRelay(this, BarPopupMenu1);
}

// The menu key of the keyboard, on a control without a menu of its own: the menu opens
// where Qt puts the focus's menu, but from the window's centre when that lies outside
// the window, as the hidden edit does that holds the focus after a note.
void TForm1::contextMenuEvent(QContextMenuEvent *event)
{
    const QPoint at = mapToGlobal(rect().contains(event->pos()) ? event->pos() : rect().center());
    BarPopupMenu1->Popup(at.x(), at.y());
}

// The title-bar buttons, the panels' free surfaces and the application's
// activation run their handlers through the general error report.
void TForm1::connectButtons()
{
    connect(ui->SpeedButton5, &QToolButton::clicked, this, reportingErrors(&TForm1::SpeedButton5Click));
    connect(ui->SpeedButton6, &QToolButton::clicked, this, reportingErrors(&TForm1::SpeedButton6Click));
    connect(ui->SpeedButton7, &QToolButton::clicked, this, reportingErrors(&TForm1::SpeedButton7Click));
    connect(ui->SpeedButton8, &QToolButton::clicked, this, reportingErrors(&TForm1::SpeedButton8Click));
    connect(ui->Simg, &QToolButton::clicked, this, reportingErrors(&TForm1::SimgClick));
    connect(ui->Kapt, &QToolButton::clicked, this, reportingErrors(&TForm1::KaptClick));
    connect(ui->BaslikC, &Panel::pressed, this, [this](Qt::MouseButton button, QPointF at, QPointF inWindow) {
        runReportingErrors(this, [=, this] { BaslikCMouseDown(button, at, inWindow); });
    });
    connect(ui->BaslikC, &Panel::doubleClicked, this, reportingErrors(&TForm1::BaslikCDblClick));
    connect(ui->Kontroller, &Panel::doubleClicked, this, reportingErrors(&TForm1::KontrollerDblClick));
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [activate = reportingErrors(&TForm1::ApplicationEvents1Activate),
             deactivate = reportingErrors(&TForm1::ApplicationEvents1Deactivate)](Qt::ApplicationState state) {
                state == Qt::ApplicationActive ? activate() : deactivate();
            });
}

void TForm1::Notalaral1Click()
{
    SpeedButton6Click();
}

void TForm1::almaleminiBitir1Click()
{
    SpeedButton7Click();
}

void TForm1::KaytleminiDurdur1Click()
{
    SpeedButton8Click();
}
