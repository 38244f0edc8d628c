#pragma once

#include "KeyboardLayouts.h"
#include "ProgramState.h"
#include "SampleBank.h"
#include "SamplePlayer.h"
#include "TickLoops.h"

#include <QWidget>

#include <array>
#include <memory>

class MessagePump;
class NoteButton;
class QAction;
class QLabel;
class QSettings;
class SoundOutput;

namespace Ui {
class TForm1;
}

// The main window: eighteen note buttons, the title bar, the visible note list and
// the hidden note records. Its handlers carry out the commands; what can be tested
// without a window lives in the libraries they call.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // sound plays the samples, pump feeds the recorder's and player's loops,
    // settings is the store the window loads at creation and saves at every close request.
    TForm1(SoundOutput &sound, MessagePump &pump, QSettings &settings, QWidget *parent = nullptr);
    ~TForm1() override;

    // The window's own caption: never drawn as a title, the recorder and the
    // player write their running counts into it.
    QString caption() const { return m_caption; }
    const ProgramState &state() const { return m_state; }
    const SampleBank &sampleBank() const { return m_bank; }

    void FormShow();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void QKClick();
    void FKClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createActions();
    void connectCommands();
    void applyDesignLook();
    void fitToText(QLabel *label);
    void alignControls();

    void FormCreate();
    void FormClose();
    void LoadSettings();
    void SaveSettings();

    void PlaySample(int note);
    void PlayAndRecordNote(QAction *action, NoteButton *button);
    void finishPlayback();

    void ApplyQLayout();
    void ApplyFLayout();
    void applyShortcutTable(KeyboardTable table);

    void SetStatus(const QString &text);
    void UpdateNoteCount();
    void ResetNoteColors();
    void RestoreNoteColors();
    NoteButton *noteButton(int note) const;

    std::unique_ptr<Ui::TForm1> ui;
    ProgramState m_state;
    QSettings &m_settings;
    SampleBank m_bank;
    SamplePlayer m_samplePlayer;
    TickLoops m_loops;
    QString m_caption;

    std::array<QAction *, NoteCount> m_noteActions{};
    std::array<NoteButton *, NoteCount> m_noteButtons{};
    std::array<int, NoteCount> m_shortcutCodes{}; // virtual-key code each note action carries
    KeyboardTable m_shortcutTable = KeyboardTable::Q;
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
};
