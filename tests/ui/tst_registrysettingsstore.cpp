#include "RegistrySettingsStore_win.h"

#include <QTest>

#include <windows.h>

#include <string>

namespace {

// Every key of a run lies under one key of its own in the user's branch, removed afterwards.
const std::wstring TestRoot = L"SOFTWARE\\MorvilTest-" + std::to_wstring(GetCurrentProcessId());

std::wstring under(const wchar_t *path)
{
    return TestRoot + L"\\" + path;
}

void setValue(const std::wstring &key, const wchar_t *name, DWORD type, const void *data, DWORD size)
{
    HKEY handle = nullptr;
    QCOMPARE(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                             nullptr),
             ERROR_SUCCESS);
    QCOMPARE(RegSetValueExW(handle, name, 0, type, static_cast<const BYTE *>(data), size), ERROR_SUCCESS);
    RegCloseKey(handle);
}

void setText(const std::wstring &key, const wchar_t *name, const std::wstring &text)
{
    setValue(key, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

bool keyExists(const std::wstring &key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

DWORD typeOf(const std::wstring &key, const wchar_t *name)
{
    DWORD type = REG_NONE;
    RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr);
    return type;
}

} // namespace

// The registry store: the user's key, the earlier machine keys read while it is missing, and what a value
// of another type reads as.
class RegistrySettingsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void userKeyIsCreatedOnlyToWrite();
    void valuesOfOtherTypesAreNoText();
    void earlierKeysAreReadUntilTheUserSaves_data();
    void earlierKeysAreReadUntilTheUserSaves();

private:
    const std::wstring m_user = under(L"user");
    const std::wstring m_virtualStore = under(L"VirtualStore");
    const std::wstring m_machine = under(L"machine");
    RegistrySettingsStore m_store{{HKEY_CURRENT_USER, m_user.c_str()},
                                  {{HKEY_CURRENT_USER, m_virtualStore.c_str()},
                                   {HKEY_CURRENT_USER, m_machine.c_str()}}};
};

void RegistrySettingsStoreTest::cleanup()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, TestRoot.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, TestRoot.c_str());
}

void RegistrySettingsStoreTest::userKeyIsCreatedOnlyToWrite()
{
    QVERIFY(!m_store.open(SettingsStore::Open::Existing));
    QCOMPARE(m_store.read(QStringLiteral("kc")).kind, SettingsStore::Value::Missing);
    QVERIFY(!m_store.write(QStringLiteral("kc"), QStringLiteral("clBlack")));
    QVERIFY(!keyExists(m_user));

    QVERIFY(m_store.open(SettingsStore::Open::Create));
    const QString turkish = QStringLiteral("İıĞğ $00C2D1D1");
    QVERIFY(m_store.write(QStringLiteral("kc"), turkish));
    QCOMPARE(typeOf(m_user, L"kc"), DWORD(REG_SZ));
    QVERIFY(m_store.open(SettingsStore::Open::Existing));
    QCOMPARE(m_store.read(QStringLiteral("kc")).text, turkish);
    QCOMPARE(m_store.read(QStringLiteral("KC")).text, turkish); // the registry's names know no case
    QCOMPARE(m_store.read(QStringLiteral("ir")).kind, SettingsStore::Value::Missing);
}

void RegistrySettingsStoreTest::valuesOfOtherTypesAreNoText()
{
    const DWORD number = 5;
    setValue(m_user, L"kc", REG_DWORD, &number, sizeof number);
    setValue(m_user, L"ir", REG_BINARY, "ab", 2);
    setValue(m_user, L"zr", REG_MULTI_SZ, L"a\0b\0", 5 * sizeof(wchar_t));
    setValue(m_user, L"by", REG_EXPAND_SZ, L"clRed", 6 * sizeof(wchar_t));
    setValue(m_user, L"bz", REG_SZ, L"clRed", 5 * sizeof(wchar_t)); // stored without its zero
    setText(m_user, L"lz", L"");
    QVERIFY(m_store.open(SettingsStore::Open::Existing));
    using Kind = SettingsStore::Value::Kind;
    const std::pair<const char *, Kind> expected[] = {{"kc", Kind::NotText}, {"ir", Kind::NotText},
                                                      {"zr", Kind::NotText}, {"by", Kind::Text},
                                                      {"bz", Kind::Text},    {"lz", Kind::Text}};
    for (const auto &[name, kind] : expected)
        QVERIFY2(m_store.read(QString::fromLatin1(name)).kind == kind, name);
    QCOMPARE(m_store.read(QStringLiteral("by")).text, QStringLiteral("clRed"));
    QCOMPARE(m_store.read(QStringLiteral("bz")).text, QStringLiteral("clRed"));
    QCOMPARE(m_store.read(QStringLiteral("lz")).text, QString());

    // A write replaces the value whatever its type.
    QVERIFY(m_store.write(QStringLiteral("kc"), QStringLiteral("clWhite")));
    QCOMPARE(typeOf(m_user, L"kc"), DWORD(REG_SZ));
    QCOMPARE(m_store.read(QStringLiteral("kc")).text, QStringLiteral("clWhite"));
}

void RegistrySettingsStoreTest::earlierKeysAreReadUntilTheUserSaves_data()
{
    QTest::addColumn<bool>("inVirtualStore");
    QTest::addColumn<bool>("inMachine");
    QTest::addColumn<QString>("expected");
    QTest::newRow("the machine's key") << false << true << "125";
    QTest::newRow("the VirtualStore's copy before the machine's key") << true << true << "150";
}

void RegistrySettingsStoreTest::earlierKeysAreReadUntilTheUserSaves()
{
    QFETCH(bool, inVirtualStore);
    QFETCH(bool, inMachine);
    QFETCH(QString, expected);
    if (inVirtualStore)
        setText(m_virtualStore, L"Gorunum", L"150");
    if (inMachine)
        setText(m_machine, L"Gorunum", L"125");

    QVERIFY(m_store.open(SettingsStore::Open::Existing));
    QCOMPARE(m_store.read(QStringLiteral("Gorunum")).text, expected);
    // Never written back where it was found, and the user's key is not made by reading.
    QVERIFY(!m_store.write(QStringLiteral("Gorunum"), QStringLiteral("200")));
    QVERIFY(!keyExists(m_user));

    QVERIFY(m_store.open(SettingsStore::Open::Create));
    QVERIFY(m_store.write(QStringLiteral("Gorunum"), QStringLiteral("200")));
    QVERIFY(m_store.open(SettingsStore::Open::Existing));
    QCOMPARE(m_store.read(QStringLiteral("Gorunum")).text, QStringLiteral("200"));
    QCOMPARE(m_store.read(QStringLiteral("kc")).kind, SettingsStore::Value::Missing);
}

QTEST_GUILESS_MAIN(RegistrySettingsStoreTest)
#include "tst_registrysettingsstore.moc"
