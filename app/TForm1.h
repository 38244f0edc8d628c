#pragma once

#include "FileDialog.h"
#include "KeyboardLayouts.h"
#include "ProgramState.h"
#include "RecoveryJournal.h"
#include "SampleBank.h"
#include "SamplePlayer.h"
#include "TickLoops.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <chrono>
#include <functional>
#include <memory>

class MessagePump;
class NoteButton;
class QAction;
class QKeyEvent;
class QLabel;
class QListWidget;
class SettingsStore;
class SoundOutput;
class TBarPopupMenu;
class Tabtx;

namespace Ui {
class TForm1;
}

// The main window: eighteen note buttons, the title bar, the visible note list and
// the hidden note records. Its handlers carry out the commands; what can be tested
// without a window lives in the libraries they call. The handlers are implemented
// in one file per concern, named in the headings below.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // sound plays the samples, pump feeds the recorder's and player's loops,
    // settings is the store the window loads at creation and saves at every close request.
    TForm1(SoundOutput &sound, MessagePump &pump, SettingsStore &settings, QWidget *parent = nullptr);
    ~TForm1() override;

    // The window's own caption: never drawn as a title, the recorder and the
    // player write their running counts into it.
    QString caption() const { return m_caption; }
    const ProgramState &state() const { return m_state; }
    const SampleBank &sampleBank() const { return m_bank; }

    // Creation, show and close (TForm1.cpp)
    void FormShow();

    // The recovery journal (TForm1Journal.cpp)
    // Offers back the list of a Morvil that did not end normally, if one left its
    // journal in folder, then journals this window's list there until a normal end.
    // True when the user took the list back.
    bool startJournal(const QString &folder);

    // Recorder, player and keyboard layouts (TForm1Notes.cpp)
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void QKClick();
    void FKClick();

    // The popup menu and the commands it only forwards (TForm1Menu.cpp)
    void Notalaral1Click();
    void almaleminiBitir1Click();
    void KaytleminiDurdur1Click();

    // Note-list files (TForm1Files.cpp)
    void Listekaydet1Click();
    void A1Click();
    void DntrerekKaydet1Click();
    // Opens a note list given on the command line as "Aç..." opens the one chosen in
    // its dialog; an error goes to the general error report.
    void openGivenNoteList(const QString &path);

    // Editing the note list and the change panel (TForm1Lists.cpp)
    void YeniListe1Click();
    void SeiliNotaSil1Click();
    void SeiliNotadeitir1Click();
    void SpeedButton1Click();
    void SpeedButton4Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void ListBox1Click();
    void ListBox1DblClick();

    // The window's chrome, folding, the list's show/hide and zoom (TForm1View.cpp)
    void BaslikCMouseDown(Qt::MouseButton button, QPointF globalPosition, QPointF windowPosition);
    void BaslikCDblClick();
    void mnbkExecute();
    void SimgClick();
    void KaptClick();
    void k1Click();
    void ListeGizleGster1Click();
    void KontrollerDblClick();
    void ApplicationEvents1Activate();
    void ApplicationEvents1Deactivate();
    void MN80Execute();
    void MN90Execute();
    void MN100Execute();
    void MN110Execute();
    void MN125Execute();
    void MN150Execute();
    void MN200Execute();

    // Colours and settings (TForm1Colors.cpp)
    // The window's background, seen only as its one-pixel frame.
    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    void enarizgileri1Click();
    void letiRenkleri1Click();
    void ZeminRengi1Click();
    void ButonYazRengi1Click();
    void ButonZeminRengi1Click();
    void ListeZeminRengi1Click();
    void ListeYazRengi1Click();
    void VarsaylanRenkAyarlar1Click();

    // The About window and the web link (TForm1About.cpp)
    // Hands over the About window, which lives as long as the program: this window
    // shows it, and the keys of this window's own actions run them also from there.
    void setAboutWindow(Tabtx &abtx);
    void SpeedButton5Click();
    void DierProgramlar1Click();
    void YeniSrmkontrolYap1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Creation, show and close, and the helpers the commands share (TForm1.cpp)
    void applyDesignLook();
    void fitToText(QLabel *label);
    void fitLabelsToText();
    QRect clientRect() const;
    void FormCreate();
    void FormClose();
    void endProgramInMainLoop();
    void SetStatus(const QString &text);
    // A slot that runs the handler through the general error report.
    std::function<void()> reportingErrors(void (TForm1::*handler)());
    // What every command that changes, stores or opens the list does first.
    void stopRecordingAndPlayback();
    void UpdateNoteCount();
    void RestoreNoteColors();
    NoteButton *noteButton(int note) const;

    // Recorder, player and keyboard layouts (TForm1Notes.cpp)
    void createNoteActions();
    // Sounds the note due at `due`: a key's or a click's moment, or the time the
    // player's schedule gives it.
    void PlaySample(int note, std::chrono::steady_clock::time_point due = std::chrono::steady_clock::now());
    void PlayAndRecordNote(QAction *action, NoteButton *button);
    void finishPlayback();
    void ResetNoteColors();
    void ApplyQLayout();
    void ApplyFLayout();
    void applyShortcutTable(KeyboardTable table);

    // The window's chrome, folding, the list's show/hide and zoom (TForm1View.cpp)
    void setWindowHeight(int height);
    void zoomTo(int percent);
    void scaleBy(int numerator, int denominator);
    void centreOnScreen();

    // The popup menu (TForm1Menu.cpp)
    void createCommandActions();
    void createPopupMenu();
    void connectButtons();

    // Note-list files (TForm1Files.cpp)
    void saveListAs(const QListWidget *list, const FileDialog::Design &dialog);
    QString askFileName(const FileDialog::Design &dialog);
    void openNoteList(const QString &path);

    // Editing the note list and the change panel (TForm1Lists.cpp)
    void connectListControls();
    void leaveChangePanelFocus();

    // The recovery journal (TForm1Journal.cpp)
    bool offerLeftList(const NoteLines &list);
    void showList(const NoteLines &list);

    // Colours and settings (TForm1Colors.cpp)
    void LoadSettings();
    void SaveSettings();
    QString readSetting(const QString &name);
    void writeSetting(const QString &name, const QString &text);
    QList<NoteButton *> noteKindButtons() const;
    void setNoteKindColors(ColorValue color);
    void setNoteKindFontColors(ColorValue color);
    void redrawFrame();

    // The About window and the web link (TForm1About.cpp)
    QAction *actionForKey(const QKeyEvent &key) const;

    // The window's own border, drawn in its colour around the controls.
    static constexpr int FrameWidth = 1;

    std::unique_ptr<Ui::TForm1> ui;
    ProgramState m_state;
    SettingsStore &m_settings;
    ColorValue m_color = 0;
    SampleBank m_bank;
    SamplePlayer m_samplePlayer; // after the bank: it silences the output before the samples go
    TickLoops m_loops;
    RecoveryJournal m_journal;
    QString m_caption;
    bool m_placed = false;                         // the window has had its first place on the screen
    QList<QPointer<QWidget>> m_awayWhileMinimised; // the other windows, hidden while this one is minimised
    bool m_endRequested = false;

    std::array<QAction *, NoteCount> m_noteActions{};
    std::array<NoteButton *, NoteCount> m_noteButtons{};
    std::array<int, NoteCount> m_shortcutCodes{}; // virtual-key code each note action carries
    KeyboardTable m_shortcutTable = KeyboardTable::Q;

    // The commands, each an action of the window named as its menu item or its action.
    QAction *QK = nullptr;
    QAction *FK = nullptr;
    QAction *MN80 = nullptr;
    QAction *MN90 = nullptr;
    QAction *MN100 = nullptr;
    QAction *MN110 = nullptr;
    QAction *MN125 = nullptr;
    QAction *MN150 = nullptr;
    QAction *MN200 = nullptr;
    QAction *mnbk = nullptr;

    Tabtx *m_abtx = nullptr;
    TBarPopupMenu *BarPopupMenu1 = nullptr;
};
