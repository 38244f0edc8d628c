#include "TForm1.h"
#include "ui_TForm1.h"

#include "ErrorReport.h"
#include "Panel.h"

#include <QAction>
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
    void (TForm1::*handler)();
    QAction *TForm1::*member = nullptr; // where the window keeps the action, if it refers to it
};

} // namespace

void TForm1::createCommandActions()
{
    // The zoom actions get their shortcuts at every show, not here.
    static const Command commands[] = {
        {"YeniSrmkontrolYap1", "Yeni Sürüm Kontrolü Yap...", "F5", &TForm1::YeniSrmkontrolYap1Click},
        {"DierProgramlar1", "Diğer Programlar...", "", &TForm1::DierProgramlar1Click},
        {"FK", "F Klavye", "Ctrl+F", &TForm1::FKClick, &TForm1::FK},
        {"QK", "Q Klavye", "Ctrl+Q", &TForm1::QKClick, &TForm1::QK},
        {"Notalaral1", "Notaları Çal", "Ctrl+F9", &TForm1::Notalaral1Click},
        {"almaleminiBitir1", "Çalma İşlemini Bitir", "Ctrl+F10", &TForm1::almaleminiBitir1Click},
        {"KaytleminiDurdur1", "Kayıt İşlemini Durdur", "Ctrl+F11", &TForm1::KaytleminiDurdur1Click},
        {"YeniListe1", "Yeni", "Ctrl+N", &TForm1::YeniListe1Click},
        {"A1", "Aç...", "Ctrl+O", &TForm1::A1Click},
        {"Listekaydet1", "Kaydet...", "Ctrl+S", &TForm1::Listekaydet1Click},
        {"DntrerekKaydet1", "Göründüğü Gibi Kaydet", "", &TForm1::DntrerekKaydet1Click},
        {"ListeGizleGster1", "Liste Gizle/Göster", "Ctrl+G", &TForm1::ListeGizleGster1Click},
        {"SeiliNotadeitir1", "Seçili Nota Değiştir", "", &TForm1::SeiliNotadeitir1Click},
        {"SeiliNotaSil1", "Seçili Nota Sil", "", &TForm1::SeiliNotaSil1Click},
        {"enarizgileri1", "Kenar Çizgileri", "", &TForm1::enarizgileri1Click},
        {"letiRenkleri1", "İleti Renkleri", "", &TForm1::letiRenkleri1Click},
        {"ZeminRengi1", "Zemin Rengi", "", &TForm1::ZeminRengi1Click},
        {"ButonYazRengi1", "Buton Yazı Rengi", "", &TForm1::ButonYazRengi1Click},
        {"ButonZeminRengi1", "Buton Zemin Rengi", "", &TForm1::ButonZeminRengi1Click},
        {"ListeZeminRengi1", "Liste Zemin Rengi", "", &TForm1::ListeZeminRengi1Click},
        {"ListeYazRengi1", "Liste Yazı Rengi", "", &TForm1::ListeYazRengi1Click},
        {"VarsaylanRenkAyarlar1", "Varsayılan Renk Ayarları", "", &TForm1::VarsaylanRenkAyarlar1Click},
        {"mnbk", "Form B/K", "", &TForm1::mnbkExecute, &TForm1::mnbk},
        {"MN80", "%80", "", &TForm1::MN80Execute, &TForm1::MN80},
        {"MN90", "%90", "", &TForm1::MN90Execute, &TForm1::MN90},
        {"MN100", "%100", "", &TForm1::MN100Execute, &TForm1::MN100},
        {"MN110", "%110", "", &TForm1::MN110Execute, &TForm1::MN110},
        {"MN125", "%125", "", &TForm1::MN125Execute, &TForm1::MN125},
        {"MN150", "%150", "", &TForm1::MN150Execute, &TForm1::MN150},
        {"MN200", "%200", "", &TForm1::MN200Execute, &TForm1::MN200},
        {"k1", "Çıkış", "", &TForm1::k1Click},
    };
    for (const Command &command : commands) {
        auto *action = new QAction(QString::fromUtf8(command.caption), this);
        action->setObjectName(QString::fromLatin1(command.name));
        action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut), QKeySequence::PortableText));
        addAction(action);
        connect(action, &QAction::triggered, this, [this, handler = command.handler] {
            runReportingErrors(this, [this, handler] { (this->*handler)(); });
        });
        if (command.member)
            this->*command.member = action;
    }
    // Plain check items, not a group; the window is created with both checked.
    for (QAction *layoutAction : {QK, FK}) {
        layoutAction->setCheckable(true);
        layoutAction->setChecked(true);
    }
}

// The title-bar buttons, the panels' free surfaces and the application's
// activation run their handlers through the general error report.
void TForm1::connectButtons()
{
    const auto command = [this](void (TForm1::*handler)()) {
        return [this, handler] { runReportingErrors(this, [this, handler] { (this->*handler)(); }); };
    };
    connect(ui->SpeedButton5, &QToolButton::clicked, this, command(&TForm1::SpeedButton5Click));
    connect(ui->SpeedButton6, &QToolButton::clicked, this, command(&TForm1::SpeedButton6Click));
    connect(ui->SpeedButton7, &QToolButton::clicked, this, command(&TForm1::SpeedButton7Click));
    connect(ui->SpeedButton8, &QToolButton::clicked, this, command(&TForm1::SpeedButton8Click));
    connect(ui->Simg, &QToolButton::clicked, this, command(&TForm1::SimgClick));
    connect(ui->Kapt, &QToolButton::clicked, this, command(&TForm1::KaptClick));
    connect(ui->BaslikC, &Panel::pressed, this,
            [this](QPointF at) { runReportingErrors(this, [this, at] { BaslikCMouseDown(at); }); });
    connect(ui->BaslikC, &Panel::doubleClicked, this, command(&TForm1::BaslikCDblClick));
    connect(ui->Kontroller, &Panel::doubleClicked, this, command(&TForm1::KontrollerDblClick));
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [activate = command(&TForm1::ApplicationEvents1Activate),
             deactivate = command(&TForm1::ApplicationEvents1Deactivate)](Qt::ApplicationState state) {
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
