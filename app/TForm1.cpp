#include "TForm1.h"
#include "ui_TForm1.h"

#include "Alignment.h"
#include "Colors.h"
#include "ErrorReport.h"
#include "Fonts.h"
#include "HintDelayStyle.h"
#include "KeypadShortcuts.h"
#include "MessageBox.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QThread>

#include <utility>

namespace {

constexpr int HintDelay = 85;

struct ControlFont
{
    const char *control;
    const char *family;
    int pixelHeight;
    bool bold;
};

// Controls whose font differs from the window's ("MS Sans Serif", 11 pixels, bold).
constexpr ControlFont ControlFonts[] = {
    {"DURUMM", "MS Sans Serif", 11, false}, {"Label6", "Arial", 9, false},
    {"ListBox1", "Courier New", 11, true},  {"Nota_Listesi", "Times New Roman", 5, false},
    {"Panel1", "Arial", 11, false},         {"LabelX", "Arial", 11, true},
    {"SpeedButton1", "Arial", 11, true},    {"SpeedButton2", "Arial", 11, true},
    {"SpeedButton3", "Arial", 11, true},    {"SpeedButton4", "Arial", 11, true},
};

} // namespace

TForm1::TForm1(SoundOutput &sound, MessagePump &pump, SettingsStore &settings, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm1>()), m_settings(settings), m_bank(SampleBank::embedded()),
      m_samplePlayer(m_bank, sound),
      m_loops(m_state, pump, [this](qint64 count) { m_caption = QString::number(count); })
{
    ui->setupUi(this);
    setWindowFlag(Qt::FramelessWindowHint);
    // The native title is what the task bar shows: the application's title.
    m_caption = windowTitle();
    setWindowTitle(applicationTitle());
    setFixedSize(size());
    setColor(Colors::Black);
    applyDesignLook();
    // Both lists fill a column before they start the next.
    ui->ListBox1->setWrapping(true);
    ui->Nota_Listesi->setWrapping(true);

    createNoteActions();
    createCommandActions();
    createPopupMenu();
    connectButtons();
    new KeypadShortcuts(this);
    connectListControls();

    if (!m_bank.problems().isEmpty())
        reportError(this, m_bank.problems().join(QLatin1Char('\n')));
    runReportingErrors(this, [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::applyDesignLook()
{
    setFont(designFont(QStringLiteral("MS Sans Serif"), 11, true));
    for (const ControlFont &control : ControlFonts) {
        auto *widget = findChild<QWidget *>(QString::fromLatin1(control.control));
        widget->setFont(designFont(QString::fromLatin1(control.family), control.pixelHeight, control.bold));
    }
    // Disabled during a playback and while a note is being changed, so that its
    // controls take no mouse input; they keep their look meanwhile.
    keepLookWhenDisabled(ui->Kontroller);
    setForeground(ui->DURUMM, Colors::White);
    // The list's heading and count stand on a light field of their own.
    setBackground(ui->Label3, Colors::ListHeading);
    setBackground(ui->Label5, Colors::ListHeading);
    fitLabelsToText();
}

// Labels size themselves to their text, except those aligned to an edge, which span it.
void TForm1::fitLabelsToText()
{
    for (QLabel *label : findChildren<QLabel *>()) {
        if (alignmentOf(label) == Alignment::None)
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

// Inside the one-pixel border: what the window's controls are placed in.
QRect TForm1::clientRect() const
{
    return rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
}

void TForm1::resizeEvent(QResizeEvent *)
{
    alignChildren(this, clientRect());
}

void TForm1::FormCreate()
{
    LoadSettings();
}

void TForm1::showEvent(QShowEvent *event)
{
    // Coming back from the task bar is no new show of the window.
    if (event->spontaneous())
        return;
    runReportingErrors(this, [this] { FormShow(); });
    // The first placement, with the size the stored zoom gave the window: this
    // runs before the window appears on the screen.
    if (!m_placed) {
        centreOnScreen();
        m_placed = true;
    }
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
        const std::pair<qint32, QAction *> storedZoom[] = {{80, MN80},   {90, MN90},   {0, MN100},  {110, MN110},
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
    if (closing)
        endProgramInMainLoop();
}

// The program ends once control is back in the main loop with no tick loop below
// it, so a playback running below the close finishes first. Ending the loops at
// once would make every message box shown until then return unanswered.
void TForm1::endProgramInMainLoop()
{
    if (std::exchange(m_endRequested, true))
        return;
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [this] {
        if (QThread::currentThread()->loopLevel() == 1 && !m_loops.pumping()) {
            m_journal.remove();
            QCoreApplication::exit(0);
        }
    });
}

void TForm1::SetStatus(const QString &text)
{
    ui->DURUMM->setText(text);
    fitToText(ui->DURUMM);
}

std::function<void()> TForm1::reportingErrors(void (TForm1::*handler)())
{
    return [this, handler] { runReportingErrors(this, [this, handler] { (this->*handler)(); }); };
}

void TForm1::stopRecordingAndPlayback()
{
    SpeedButton8Click();
    SpeedButton7Click();
}

void TForm1::UpdateNoteCount()
{
    ui->Label5->setText(QStringLiteral("Toplam Nota Sayısı : ") + QString::number(ui->ListBox1->count()));
    fitToText(ui->Label5);
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
