#include "TForm1.h"
#include "ui_TForm1.h"

#include "NoteRecord.h"

#include <QAction>
#include <QSettings>

namespace {

const QString SettingsGroup = QStringLiteral("MorvilAyar");

} // namespace

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

void TForm1::enarizgileri1Click() {}

void TForm1::letiRenkleri1Click() {}

void TForm1::ZeminRengi1Click() {}

void TForm1::ButonYazRengi1Click() {}

void TForm1::ButonZeminRengi1Click() {}

void TForm1::ListeZeminRengi1Click() {}

void TForm1::ListeYazRengi1Click() {}

void TForm1::VarsaylanRenkAyarlar1Click() {}
