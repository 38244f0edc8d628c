#pragma once

#include "SettingsStore.h"

#include <memory>

class QSettings;

// The settings store kept by QSettings. Every write is stored at once and replaces
// the file as a whole (written beside it, then renamed over it), so a failed or
// interrupted write leaves the previous file intact.
class QtSettingsStore : public SettingsStore
{
public:
    // The program's store where there is no registry: the group MorvilAyar of
    // Morvil/morvil.ini in the user's configuration folder.
    QtSettingsStore();
    // The group MorvilAyar of the INI file iniFile.
    explicit QtSettingsStore(const QString &iniFile);
    ~QtSettingsStore() override;

    bool open(Open mode) override;
    Value read(const QString &name) override;
    bool write(const QString &name, const QString &text) override;

private:
    bool mayOpenFile(Open mode) const;

    QString m_iniFile;
    std::unique_ptr<QSettings> m_settings;
};
