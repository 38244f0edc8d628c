#pragma once

#include "SettingsStore.h"

#include <vector>

struct HKEY__; // a registry key's handle, as <windows.h> declares it

// The settings in the Windows registry: text values under HKEY_CURRENT_USER\SOFTWARE\MorvilAyar, a key every
// user may write. Earlier versions kept them under HKEY_LOCAL_MACHINE\SOFTWARE\MorvilAyar, which a standard
// user of a current Windows cannot write (the old 32-bit program was silently given a copy in the user's
// VirtualStore instead). While the user's key does not exist, opening an existing store reads the first of
// those earlier keys that exists, never writing there; the next save creates the user's key, so the earlier
// values are read once and nothing a user set is lost.
class RegistrySettingsStore : public SettingsStore
{
public:
    struct Key
    {
        HKEY__ *root;
        const wchar_t *path;
        bool view32 = false; // the 32-bit programs' view of the machine's SOFTWARE branch
    };

    // The program's own keys.
    RegistrySettingsStore();
    // The user's key, and the earlier keys in the order they are looked for.
    RegistrySettingsStore(Key user, std::vector<Key> earlier);
    ~RegistrySettingsStore() override;
    RegistrySettingsStore(const RegistrySettingsStore &) = delete;
    RegistrySettingsStore &operator=(const RegistrySettingsStore &) = delete;

    bool open(Open mode) override;
    Value read(const QString &name) override;
    bool write(const QString &name, const QString &text) override;

private:
    void close();

    Key m_user;
    std::vector<Key> m_earlier;
    HKEY__ *m_key = nullptr;
    bool m_writable = false;
};
