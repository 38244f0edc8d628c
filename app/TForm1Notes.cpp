#include "TForm1.h"
#include "ui_TForm1.h"

#include "Colors.h"
#include "Error.h"
#include "ErrorReport.h"
#include "NoteKeyDispatcher.h"
#include "NoteRecord.h"
#include "NoteStep.h"

#include <QAction>
#include <QScopeGuard>

namespace {

constexpr ColorValue DefaultNoteColor = 0x00C2D1D1;
constexpr ColorValue HighlightColor = 0x00DCE4E4;
constexpr ColorValue PlayedColor = 0x00FFFFFF;

const QString NoteHint = QStringLiteral("Kısayol -> ");

const QString StatusRecording = QStringLiteral("Kayıt Yapılıyor...");
const QString StatusRecordingDone = QStringLiteral("Kayıt İşlemi Tamamlandı");
const QString StatusPlaying = QStringLiteral("Notalar Çalınıyor...");
const QString StatusPlayingDone = QStringLiteral("İşlem Tamamlandı...");

} // namespace

void TForm1::createNoteActions()
{
    for (const Note &note : Notes) {
        auto *action = new QAction(noteName(note.index), this);
        action->setObjectName(QString::fromLatin1(note.action));
        action->setData(note.index);
        addAction(action);
        m_noteActions.at(note.index) = action;

        auto *button = findChild<NoteButton *>(QString::fromLatin1(note.button));
        m_noteButtons.at(note.index) = button;
        button->setText(action->text());
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::triggered, this,
                [this, action, button] { runReportingErrors(this, [&] { PlayAndRecordNote(action, button); }); });
    }
    // The window is created with the Q table's keys and no hints.
    m_shortcutCodes = shortcutTable(KeyboardTable::Q);
    // Owned by the window; it installs itself on the application.
    new NoteKeyDispatcher(
        this, QList<QAction *>(m_noteActions.begin(), m_noteActions.end()), [this] { return m_shortcutTable; },
        [this](int note) { return m_shortcutCodes.at(note); });
}

void TForm1::PlaySample(int note, std::chrono::steady_clock::time_point due)
{
    m_samplePlayer.play(note, due);
}

void TForm1::PlayAndRecordNote(QAction *action, NoteButton *button)
{
    // The note is due the moment its key or click is handled.
    const auto pressed = std::chrono::steady_clock::now();
    ui->Sets->setFocus();
    ResetNoteColors();
    SetStatus(StatusRecording);
    m_state.RecordStopped = false;
    const int note = action->data().toInt();
    PlaySample(note, pressed);
    m_loops.noteSounded();
    button->setColor(HighlightColor);
    const QString record = noteRecord(note, m_state.WaitTicks);
    const QString line = action->text() + QStringLiteral(" (") + noteText(note) + QLatin1Char(')');
    ui->Nota_Listesi->addItem(record);
    ui->ListBox1->addItem(line);
    UpdateNoteCount();
    m_journal.noteAdded(record, line);
    m_loops.countSinceNote();
}

void TForm1::SpeedButton8Click()
{
    if (m_state.RecordStopped)
        return;
    m_state.RecordStopped = true;
    SetStatus(StatusRecordingDone);
    ResetNoteColors();
    m_journal.makeDurable();
}

void TForm1::SpeedButton6Click()
{
    if (m_state.Playing)
        return;
    if (!ui->ListBox1->isEnabled() || !ui->ListBox1->isVisible())
        throw Error(QStringLiteral("Cannot focus a disabled or invisible window"));
    ui->ListBox1->setFocus();
    if (ui->Nota_Listesi->count() == 0)
        return;

    SetStatus(StatusPlaying);
    m_state.NoteButtonColor = ui->N0I->color();
    repaint();
    m_state.Playing = true;
    ui->Kontroller->setEnabled(false);
    m_state.RecordStopped = true;
    // The recording ends here, so a note played during the playback starts a new
    // one with count 0 rather than taking the count of the loop still below us.
    m_state.WaitTicks = 0;
    m_state.StopPlaying = false;
    ui->Nota_Listesi->setCurrentRow(-1);
    ui->ListBox1->setCurrentRow(-1);
    ResetNoteColors();

    const int steps = ui->Nota_Listesi->count();
    m_loops.beginPlayback();
    // The end steps run however the playback ends, an error included.
    const auto finish = qScopeGuard([this] { finishPlayback(); });
    for (int i = 0; i < steps && !m_state.StopPlaying; ++i) {
        m_state.PlayTicks = 0;
        // The selection of the records is the player's cursor.
        ui->Nota_Listesi->setCurrentRow(ui->Nota_Listesi->currentRow() + 1);
        ui->ListBox1->setCurrentRow(i - 1);
        const QListWidgetItem *line = ui->Nota_Listesi->currentItem();
        const std::optional<NoteStep> step = noteStep(line ? line->text() : QString());
        if (!step)
            continue;
        if (!m_loops.waitPlayerTicks(step->waitTicks))
            break;
        PlaySample(step->note, m_loops.playerStepTime());
        RestoreNoteColors();
        noteButton(step->note)->setColor(PlayedColor);
        if (i == ui->Nota_Listesi->count() - 1)
            ui->ListBox1->setCurrentRow(i);
        m_loops.pumpAfterPlayerStep();
    }
}

void TForm1::finishPlayback()
{
    ui->Kontroller->setEnabled(true);
    RestoreNoteColors();
    SetStatus(StatusPlayingDone);
    m_state.Playing = false;
}

void TForm1::SpeedButton7Click()
{
    m_state.StopPlaying = true;
    m_state.Playing = false;
    ResetNoteColors();
}

void TForm1::QKClick()
{
    FK->setChecked(false);
    QK->setChecked(true);
    ApplyQLayout();
}

void TForm1::FKClick()
{
    QK->setChecked(false);
    FK->setChecked(true);
    ApplyFLayout();
}

void TForm1::ApplyQLayout()
{
    applyShortcutTable(KeyboardTable::Q);
}

void TForm1::ApplyFLayout()
{
    applyShortcutTable(KeyboardTable::F);
}

// The note actions take the table's keys, then the hint; each note button's hint
// names the key that plays it.
void TForm1::applyShortcutTable(KeyboardTable table)
{
    m_shortcutCodes = shortcutTable(table);
    m_shortcutTable = table;
    for (QAction *action : m_noteActions)
        action->setStatusTip(NoteHint);
    for (int note = 0; note < NoteCount; ++note) {
        noteButton(note)->setToolTip(
            noteButtonHint(m_noteActions.at(note)->statusTip(), m_shortcutCodes.at(note), m_shortcutTable));
    }
}

void TForm1::ResetNoteColors()
{
    for (int note = RowLength; note < NoteCount; ++note)
        noteButton(note)->setColor(DefaultNoteColor);
    for (int note = 0; note < RowLength; ++note)
        noteButton(note)->setColor(DefaultNoteColor);
}
