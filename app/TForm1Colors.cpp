#include "TForm1.h"
#include "ui_TForm1.h"

#include "ColorDialog.h"
#include "ColorText.h"
#include "Colors.h"
#include "Error.h"
#include "NoteButton.h"
#include "SettingsStore.h"

#include <QAction>

#include <functional>

namespace {

// The colours of "Varsayılan Renk Ayarları", 0x00BBGGRR.
constexpr ColorValue DefaultPanelColor = 0x00C2D1D1;
constexpr ColorValue DefaultFrameColor = 0x00000000;
constexpr ColorValue DefaultMessageColor = 0x00BDC5C6;
constexpr ColorValue DefaultListColor = 0x00BDC5C6;
constexpr ColorValue DefaultListTextColor = 0x00000000;
constexpr ColorValue DefaultButtonColor = 0x00C2D1D1;
constexpr ColorValue DefaultButtonTextColor = 0x00A56E3A;

constexpr qint32 DefaultIncrement = 500;

} // namespace

void TForm1::setColor(ColorValue color)
{
    m_color = color;
    setBackground(this, color);
}

void TForm1::LoadSettings()
{
    // A store that cannot be opened reads as one without values.
    m_settings.open(SettingsStore::Open::Existing);
    const QString frame = readSetting(QStringLiteral("kc"));
    const QString messages = readSetting(QStringLiteral("ir"));
    const QString panel = readSetting(QStringLiteral("zr"));
    const QString buttonText = readSetting(QStringLiteral("by"));
    const QString buttonFace = readSetting(QStringLiteral("bz"));
    const QString listFace = readSetting(QStringLiteral("lz"));
    const QString listText = readSetting(QStringLiteral("ly"));
    const qint32 increment = TextToInteger(readSetting(QStringLiteral("artirma")), DefaultIncrement);
    const qint32 scale = TextToInteger(readSetting(QStringLiteral("Gorunum")), 0);
    const qint32 layout = TextToInteger(readSetting(QStringLiteral("Klavye")), 0);
    m_state.IncrementSetting = increment;
    m_state.ViewScale = scale;
    m_state.KeyboardLayout = layout;

    // In this order: a text that is no colour stops here and leaves the later ones unapplied.
    const std::pair<QString, std::function<void(ColorValue)>> colors[] = {
        {frame, [this](ColorValue color) { setColor(color); }},
        {messages, [this](ColorValue color) { ui->Panel1->setColor(color); }},
        {messages, [this](ColorValue color) { ui->Panel2->setColor(color); }},
        {panel, [this](ColorValue color) { ui->Kontroller->setColor(color); }},
        {listFace, [this](ColorValue color) { ui->ListBox1->setColor(color); }},
        {listText, [this](ColorValue color) { ui->ListBox1->setFontColor(color); }},
        {buttonText, [this](ColorValue color) { setNoteKindFontColors(color); }},
        {buttonFace, [this](ColorValue color) { setNoteKindColors(color); }},
    };
    for (const auto &[text, apply] : colors) {
        if (!text.isEmpty())
            apply(TextToColor(text));
    }
}

void TForm1::SaveSettings()
{
    if (!m_settings.open(SettingsStore::Open::Create))
        return;
    writeSetting(QStringLiteral("kc"), ColorToText(color()));
    writeSetting(QStringLiteral("ir"), ColorToText(ui->Panel1->color()));
    writeSetting(QStringLiteral("zr"), ColorToText(ui->Kontroller->color()));
    writeSetting(QStringLiteral("by"), ColorToText(ui->N0I->fontColor()));
    writeSetting(QStringLiteral("bz"), ColorToText(ui->N0I->color()));
    writeSetting(QStringLiteral("lz"), ColorToText(ui->ListBox1->color()));
    writeSetting(QStringLiteral("ly"), ColorToText(ui->ListBox1->fontColor()));
    writeSetting(QStringLiteral("artirma"), QString::number(m_state.IncrementSetting));
    writeSetting(QStringLiteral("Gorunum"), QString::number(m_state.ViewScale));
    // With neither layout checked the stored one stays.
    if (QK->isChecked())
        writeSetting(QStringLiteral("Klavye"), QStringLiteral("0"));
    if (FK->isChecked())
        writeSetting(QStringLiteral("Klavye"), QStringLiteral("1"));
}

// The text of a stored value; a missing value reads as the empty text.
QString TForm1::readSetting(const QString &name)
{
    const SettingsStore::Value value = m_settings.read(name);
    if (value.kind == SettingsStore::Value::NotText)
        throw Error(QStringLiteral("Invalid data type for '%1'").arg(name));
    return value.text;
}

void TForm1::writeSetting(const QString &name, const QString &text)
{
    if (!m_settings.write(name, text))
        throw Error(QStringLiteral("Failed to set data for '%1'").arg(name));
}

// The 18 note buttons and the four of the change panel, in the window's component order.
QList<NoteButton *> TForm1::noteKindButtons() const
{
    return findChildren<NoteButton *>();
}

void TForm1::setNoteKindColors(ColorValue color)
{
    for (NoteButton *button : noteKindButtons())
        button->setColor(color);
}

void TForm1::setNoteKindFontColors(ColorValue color)
{
    for (NoteButton *button : noteKindButtons())
        button->setFontColor(color);
}

// A change of the window's height redraws its frame in the new colour.
void TForm1::redrawFrame()
{
    const int height = this->height();
    setFixedHeight(height + 1);
    setFixedHeight(height);
}

void TForm1::enarizgileri1Click()
{
    setColor(ColorDialog::choose(this, color()));
    redrawFrame();
}

void TForm1::letiRenkleri1Click()
{
    // The dialog starts at the hidden panel's colour; both panels take the result.
    const ColorValue chosen = ColorDialog::choose(this, ui->Panel2->color());
    ui->Panel1->setColor(chosen);
    ui->Panel2->setColor(chosen);
}

void TForm1::ZeminRengi1Click()
{
    ui->Kontroller->setColor(ColorDialog::choose(this, ui->Kontroller->color()));
}

void TForm1::ButonYazRengi1Click()
{
    setNoteKindFontColors(ColorDialog::choose(this, ui->N0I->fontColor()));
}

void TForm1::ButonZeminRengi1Click()
{
    setNoteKindColors(ColorDialog::choose(this, ui->N0I->color()));
}

void TForm1::ListeZeminRengi1Click()
{
    ui->ListBox1->setColor(ColorDialog::choose(this, ui->ListBox1->color()));
}

void TForm1::ListeYazRengi1Click()
{
    ui->ListBox1->setFontColor(ColorDialog::choose(this, ui->ListBox1->fontColor()));
}

void TForm1::VarsaylanRenkAyarlar1Click()
{
    ui->Kontroller->setColor(DefaultPanelColor);
    setColor(DefaultFrameColor);
    ui->Panel1->setColor(DefaultMessageColor);
    ui->Panel2->setColor(DefaultMessageColor);
    ui->ListBox1->setColor(DefaultListColor);
    ui->ListBox1->setFontColor(DefaultListTextColor);
    for (NoteButton *button : noteKindButtons()) {
        button->setColor(DefaultButtonColor);
        button->setFontColor(DefaultButtonTextColor);
    }
    redrawFrame();
}
