#include "RegistrySettingsStore_win.h"

#include <windows.h>

#include <string>

namespace {

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

} // namespace

RegistrySettingsStore::RegistrySettingsStore()
    : RegistrySettingsStore({HKEY_CURRENT_USER, L"SOFTWARE\\MorvilAyar"},
                            {
                                {HKEY_CURRENT_USER,
                                 L"Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\MorvilAyar"},
                                {HKEY_CURRENT_USER, L"Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\MorvilAyar"},
                                {HKEY_LOCAL_MACHINE, L"SOFTWARE\\MorvilAyar", true},
                                {HKEY_LOCAL_MACHINE, L"SOFTWARE\\MorvilAyar"},
                            })
{
}

RegistrySettingsStore::RegistrySettingsStore(Key user, std::vector<Key> earlier)
    : m_user(user), m_earlier(std::move(earlier))
{
}

RegistrySettingsStore::~RegistrySettingsStore()
{
    close();
}

void RegistrySettingsStore::close()
{
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
    m_writable = false;
}

bool RegistrySettingsStore::open(Open mode)
{
    close();
    HKEY key = nullptr;
    if (mode == Open::Create) {
        if (RegCreateKeyExW(m_user.root, m_user.path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
    } else {
        const LONG opened = RegOpenKeyExW(m_user.root, m_user.path, 0, KEY_ALL_ACCESS, &key);
        // A user's key that exists but refuses full access is no store: the earlier keys are only for users who
        // never saved.
        if (opened != ERROR_SUCCESS && opened != ERROR_FILE_NOT_FOUND)
            return false;
        if (opened == ERROR_FILE_NOT_FOUND) {
            for (const Key &earlier : m_earlier) {
                const REGSAM view = earlier.view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
                if (RegOpenKeyExW(earlier.root, earlier.path, 0, KEY_READ | view, &key) == ERROR_SUCCESS) {
                    m_key = key;
                    return true;
                }
            }
            return false;
        }
    }
    m_key = key;
    m_writable = true;
    return true;
}

SettingsStore::Value RegistrySettingsStore::read(const QString &name)
{
    if (!m_key)
        return {};
    const std::wstring valueName = wide(name);
    DWORD type = 0;
    DWORD size = 0;
    std::wstring data;
    LONG result = ERROR_MORE_DATA;
    // The value may grow between asking its size and reading it.
    while (result == ERROR_MORE_DATA) {
        result = RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type, nullptr, &size);
        if (result != ERROR_SUCCESS)
            break;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return {Value::NotText, {}};
        data.assign(size / sizeof(wchar_t) + 1, L'\0');
        result = RegQueryValueExW(m_key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(data.data()),
                                  &size);
    }
    if (result != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return {Value::NotText, {}};
    // The stored text may or may not end with its zero; it ends at the first one.
    data.resize(size / sizeof(wchar_t));
    return {Value::Text, QString::fromStdWString(data.substr(0, data.find(L'\0')))};
}

bool RegistrySettingsStore::write(const QString &name, const QString &text)
{
    if (!m_writable)
        return false;
    const std::wstring data = wide(text);
    const auto bytes = DWORD((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(m_key, wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(data.c_str()),
                          bytes) == ERROR_SUCCESS;
}
