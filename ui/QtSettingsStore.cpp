#include "QtSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString Group = QStringLiteral("MorvilAyar/");

} // namespace

QtSettingsStore::QtSettingsStore()
    : QtSettingsStore(
          QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Morvil"), QStringLiteral("morvil"))
              .fileName())
{
}

QtSettingsStore::QtSettingsStore(const QString &iniFile) : m_iniFile(iniFile)
{
}

QtSettingsStore::~QtSettingsStore() = default;

bool QtSettingsStore::open(Open mode)
{
    m_settings.reset();
    if (!mayOpenFile(mode))
        return false;
    auto file = std::make_unique<QSettings>(m_iniFile, QSettings::IniFormat);
    if (file->status() == QSettings::AccessError)
        return false;
    m_settings = std::move(file);
    return true;
}

// Full access to the file: it can be read and written, and replaced within its folder.
bool QtSettingsStore::mayOpenFile(Open mode) const
{
    const QFileInfo file(m_iniFile);
    if (mode == Open::Create && !QDir().mkpath(file.absolutePath()))
        return false;
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return false;
    if (!file.exists())
        return mode == Open::Create;
    return file.isFile() && file.isReadable() && file.isWritable();
}

SettingsStore::Value QtSettingsStore::read(const QString &name)
{
    const QString key = Group + name;
    if (!m_settings || !m_settings->contains(key))
        return {};
    // In the INI file a list ("a, b") or a typed value ("@Variant(...)") is no text.
    const QVariant value = m_settings->value(key);
    if (value.typeId() != QMetaType::QString)
        return {Value::NotText, {}};
    return {Value::Text, value.toString()};
}

bool QtSettingsStore::write(const QString &name, const QString &text)
{
    if (!m_settings)
        return false;
    m_settings->setValue(Group + name, text);
    m_settings->sync();
    // A file that read with format errors is still written; only access errors fail.
    return m_settings->status() != QSettings::AccessError;
}
