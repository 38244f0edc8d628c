#include "TForm1.h"
#include "ui_TForm1.h"

#include "Colors.h"
#include "Error.h"
#include "ErrorReport.h"
#include "Fonts.h"
#include "HintDelayStyle.h"
#include "MessageBox.h"
#include "NoteKeyDispatcher.h"
#include "NoteRecord.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QSettings>

namespace {

constexpr ColorValue DefaultNoteColor = 0x00C2D1D1;
constexpr ColorValue HighlightColor = 0x00DCE4E4;
constexpr ColorValue PlayedColor = 0x00FFFFFF;

constexpr int HintDelay = 85;
const QString NoteHint = QStringLiteral("Kısayol -> ");

const QString StatusRecording = QStringLiteral("Kayıt Yapılıyor...");
const QString StatusRecordingDone = QStringLiteral("Kayıt İşlemi Tamamlandı");
const QString StatusPlaying = QStringLiteral("Notalar Çalınıyor...");
const QString StatusPlayingDone = QStringLiteral("İşlem Tamamlandı...");

const QString SettingsGroup = QStringLiteral("MorvilAyar");

struct ControlFont
{
    const char *control;
    const char *family;
    int pixelHeight;
    bool bold;
};

// Controls whose font differs from the window's ("MS Sans Serif", 11 pixels, bold).
constexpr ControlFont ControlFonts[] = {
    {"DURUMM", "MS Sans Serif", 11, false},
    {"Label6", "Arial", 9, false},
    {"ListBox1", "Courier New", 11, true},
    {"Nota_Listesi", "Times New Roman", 5, false},
    {"Panel1", "Arial", 11, false},
    {"LabelX", "Arial", 11, true},
    {"SpeedButton1", "Arial", 11, true},
    {"SpeedButton2", "Arial", 11, true},
    {"SpeedButton3", "Arial", 11, true},
    {"SpeedButton4", "Arial", 11, true},
};

} // namespace

TForm1::TForm1(SoundOutput &sound, MessagePump &pump, QSettings &settings, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm1>()), m_settings(settings), m_bank(SampleBank::embedded()),
      m_samplePlayer(m_bank, sound),
      m_loops(m_state, pump, [this](qint32 count) { m_caption = QString::number(count); })
{
    installFontSubstitutes();
    if (!qobject_cast<HintDelayStyle *>(QApplication::style()))
        QApplication::setStyle(new HintDelayStyle);

    ui->setupUi(this);
    setWindowFlag(Qt::FramelessWindowHint);
    // The native title is what the task bar shows: the application's title.
    m_caption = windowTitle();
    setWindowTitle(QString());
    setFixedSize(size());
    setBackground(this, Colors::Black);
    applyDesignLook();
    // Both lists fill a column before they start the next.
    ui->ListBox1->setWrapping(true);
    ui->Nota_Listesi->setWrapping(true);

    createActions();
    connectCommands();
    // Owned by the window; it installs itself on the application.
    new NoteKeyDispatcher(
        this, QList<QAction *>(m_noteActions.begin(), m_noteActions.end()), [this] { return m_shortcutTable; },
        [this](int note) { return m_shortcutCodes.at(note); });

    if (!m_bank.problems().isEmpty())
        reportError(this, m_bank.problems().join(QLatin1Char('\n')));
    runReportingErrors(this, [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::createActions()
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

    const auto createMenuAction = [this](const char *name, const QString &caption) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        addAction(action);
        return action;
    };
    QK = createMenuAction("QK", QStringLiteral("Q Klavye"));
    FK = createMenuAction("FK", QStringLiteral("F Klavye"));
    for (QAction *layoutAction : {QK, FK}) {
        layoutAction->setCheckable(true);
        layoutAction->setChecked(true);
    }
    QK->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    FK->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));

    MN80 = createMenuAction("MN80", QStringLiteral("%80"));
    MN90 = createMenuAction("MN90", QStringLiteral("%90"));
    MN100 = createMenuAction("MN100", QStringLiteral("%100"));
    MN110 = createMenuAction("MN110", QStringLiteral("%110"));
    MN125 = createMenuAction("MN125", QStringLiteral("%125"));
    MN150 = createMenuAction("MN150", QStringLiteral("%150"));
    MN200 = createMenuAction("MN200", QStringLiteral("%200"));
    mnbk = createMenuAction("mnbk", QStringLiteral("Form B/K"));
}

void TForm1::connectCommands()
{
    const auto command = [this](auto handler) {
        return [this, handler] { runReportingErrors(this, [this, handler] { (this->*handler)(); }); };
    };
    connect(ui->SpeedButton6, &QToolButton::clicked, this, command(&TForm1::SpeedButton6Click));
    connect(ui->SpeedButton7, &QToolButton::clicked, this, command(&TForm1::SpeedButton7Click));
    connect(ui->SpeedButton8, &QToolButton::clicked, this, command(&TForm1::SpeedButton8Click));
    connect(QK, &QAction::triggered, this, command(&TForm1::QKClick));
    connect(FK, &QAction::triggered, this, command(&TForm1::FKClick));
    connect(ui->Simg, &QToolButton::clicked, this, [this] {
        runReportingErrors(this, [this] {
            SpeedButton8Click();
            showMinimized();
        });
    });
    connect(ui->Kapt, &QToolButton::clicked, this, &QWidget::close);
}

void TForm1::applyDesignLook()
{
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11, true));
    for (const ControlFont &control : ControlFonts) {
        auto *widget = findChild<QWidget *>(QString::fromLatin1(control.control));
        widget->setFont(designFont(QString::fromLatin1(control.family), control.pixelHeight, control.bold));
    }
    setForeground(ui->DURUMM, Colors::White);
    setForeground(ui->Label3, Colors::ListHeading);
    setForeground(ui->Label5, Colors::ListHeading);
    // Labels size themselves to their text; the count label keeps its right edge.
    for (QLabel *label : findChildren<QLabel *>()) {
        if (label != ui->Label6)
            fitToText(label);
    }
}

void TForm1::fitToText(QLabel *label)
{
    const QRect before = label->geometry();
    label->adjustSize();
    if (label->alignment() & Qt::AlignRight)
        label->move(before.right() - label->width() + 1, before.top());
}

// The title bar keeps to the top and the button area fills the rest; the zoom
// label keeps to the bottom of the button area.
void TForm1::alignControls()
{
    const QRect client = rect().adjusted(1, 1, -1, -1);
    ui->BaslikC->setGeometry(client.left(), client.top(), client.width(), ui->BaslikC->height());
    ui->Kontroller->setGeometry(client.left(), client.top() + ui->BaslikC->height(), client.width(),
                                client.height() - ui->BaslikC->height());
    ui->Label6->setGeometry(0, ui->Kontroller->height() - ui->Label6->height(), ui->Kontroller->width(),
                            ui->Label6->height());
}

void TForm1::resizeEvent(QResizeEvent *)
{
    alignControls();
}

void TForm1::FormCreate()
{
    LoadSettings();
}

void TForm1::LoadSettings()
{
    m_settings.beginGroup(SettingsGroup);
    const auto readNumber = [this](const QString &name, qint32 fallback) {
        qint32 value = fallback;
        return readInteger(m_settings.value(name).toString(), &value) ? value : fallback;
    };
    m_state.IncrementSetting = readNumber(QStringLiteral("artirma"), 500);
    m_state.ViewScale = readNumber(QStringLiteral("Gorunum"), 0);
    m_state.KeyboardLayout = readNumber(QStringLiteral("Klavye"), 0);
    m_settings.endGroup();
}

void TForm1::SaveSettings()
{
    m_settings.beginGroup(SettingsGroup);
    m_settings.setValue(QStringLiteral("artirma"), QString::number(m_state.IncrementSetting));
    m_settings.setValue(QStringLiteral("Gorunum"), QString::number(m_state.ViewScale));
    if (QK->isChecked())
        m_settings.setValue(QStringLiteral("Klavye"), QStringLiteral("0"));
    if (FK->isChecked())
        m_settings.setValue(QStringLiteral("Klavye"), QStringLiteral("1"));
    m_settings.endGroup();
    m_settings.sync();
}

void TForm1::showEvent(QShowEvent *event)
{
    // Coming back from the task bar is no new show of the window.
    if (!event->spontaneous())
        runReportingErrors(this, [this] { FormShow(); });
}

void TForm1::FormShow()
{
    QK->setChecked(false);
    FK->setChecked(false);

    if (auto *style = qobject_cast<HintDelayStyle *>(QApplication::style()))
        style->setHintDelay(HintDelay);

    const std::pair<QAction *, Qt::Key> zoomKeys[] = {{MN80, Qt::Key_1},  {MN90, Qt::Key_2},  {MN100, Qt::Key_3},
                                                  {MN110, Qt::Key_4}, {MN125, Qt::Key_5}, {MN150, Qt::Key_6},
                                                  {MN200, Qt::Key_7}};
    for (const auto &[action, key] : zoomKeys)
        action->setShortcut(QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, key)));

    if (!m_state.ScaleApplied) {
        const std::pair<qint32, QAction *> storedZoom[] = {{80, MN80},   {90, MN90},   {0, MN100}, {110, MN110},
                                                           {125, MN125}, {150, MN150}, {200, MN200}};
        for (const auto &[scale, action] : storedZoom) {
            if (m_state.ViewScale == scale)
                action->trigger();
        }
    }
    m_state.ScaleApplied = true;

    if (m_state.KeyboardLayout == 0) {
        QK->setChecked(true);
        QKClick();
    } else if (m_state.KeyboardLayout == 1) {
        FK->setChecked(true);
        FKClick();
    }

    m_state.NoteButtonColor = ui->N0I->color();
    RestoreNoteColors();
    m_state.RecordStopped = true;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // The window stays until the message loop ends the program.
    event->ignore();
    runReportingErrors(this, [this] { FormClose(); });
}

void TForm1::FormClose()
{
    bool closing = true;
    if (!m_state.RecordStopped) {
        closing = MessageBox::show(this, QMessageBox::Warning, QStringLiteral("UYARI"),
                                   QStringLiteral("Şu An Kayıt Modundasınız.\r\rÇıkmak istediğinizden emin misiniz?"),
                                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    m_state.RecordStopped = true;
    SaveSettings();
    // Takes effect once control is back in the main loop, so a playback running
    // below this handler finishes first.
    if (closing)
        QCoreApplication::exit(0);
}

void TForm1::PlaySample(int note)
{
    m_samplePlayer.play(note);
}

void TForm1::PlayAndRecordNote(QAction *action, NoteButton *button)
{
    ui->Sets->setFocus();
    ResetNoteColors();
    SetStatus(StatusRecording);
    m_state.RecordStopped = false;
    const int note = action->data().toInt();
    PlaySample(note);
    m_loops.noteSounded();
    button->setColor(HighlightColor);
    ui->Nota_Listesi->addItem(noteRecord(note, m_state.WaitTicks));
    ui->ListBox1->addItem(action->text() + QStringLiteral(" (") + noteText(note) + QLatin1Char(')'));
    UpdateNoteCount();
    m_loops.countSinceNote();
}

void TForm1::SpeedButton8Click()
{
    if (m_state.RecordStopped)
        return;
    m_state.RecordStopped = true;
    SetStatus(StatusRecordingDone);
    ResetNoteColors();
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
    try {
        for (int i = 0; i < steps && !m_state.StopPlaying; ++i) {
            m_state.PlayTicks = 0;
            // The selection of the records is the player's cursor.
            ui->Nota_Listesi->setCurrentRow(ui->Nota_Listesi->currentRow() + 1);
            ui->ListBox1->setCurrentRow(i - 1);
            const QListWidgetItem *line = ui->Nota_Listesi->currentItem();
            const ParsedRecord record = parseNoteRecord(line ? line->text() : QString());
            if (!isNoteIndex(record.note))
                continue;
            if (record.count >= 0 && !m_loops.waitPlayerTicks(qint64(record.count) + 1))
                break;
            PlaySample(record.note);
            RestoreNoteColors();
            noteButton(record.note)->setColor(PlayedColor);
            if (i == ui->Nota_Listesi->count() - 1)
                ui->ListBox1->setCurrentRow(i);
            m_loops.pumpAfterPlayerStep();
        }
    } catch (const Error &) {
        finishPlayback();
        throw;
    }
    finishPlayback();
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

void TForm1::SetStatus(const QString &text)
{
    ui->DURUMM->setText(text);
    fitToText(ui->DURUMM);
}

void TForm1::UpdateNoteCount()
{
    ui->Label5->setText(QStringLiteral("Toplam Nota Sayısı : ") + QString::number(ui->ListBox1->count()));
    fitToText(ui->Label5);
}

void TForm1::ResetNoteColors()
{
    for (int note = RowLength; note < NoteCount; ++note)
        noteButton(note)->setColor(DefaultNoteColor);
    for (int note = 0; note < RowLength; ++note)
        noteButton(note)->setColor(DefaultNoteColor);
}

void TForm1::RestoreNoteColors()
{
    for (int note = 0; note < RowLength; ++note)
        noteButton(note)->setColor(m_state.NoteButtonColor);
    for (int note = RowLength; note < NoteCount; ++note)
        noteButton(note)->setColor(m_state.NoteButtonColor);
}

NoteButton *TForm1::noteButton(int note) const
{
    return m_noteButtons.at(note);
}
