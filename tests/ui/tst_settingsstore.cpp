#include "FullDisk.h"
#include "OrdinaryUser.h"
#include "QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

ino_t inodeOf(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

} // namespace

// The INI file store: what it opens, reads and writes, and that a write never
// leaves a damaged file behind.
class SettingsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void missingFileIsOpenedOnlyToCreateIt();
    void valuesOfOtherTypesAreNoText();
    void writeReplacesTheWholeFile();
    void storeWithoutAPlaceCannotBeOpened();
    void failedWriteLeavesTheOldFileWhole();

private:
    QTemporaryDir m_dir;
};

void SettingsStoreTest::missingFileIsOpenedOnlyToCreateIt()
{
    const QString path = m_dir.filePath(QStringLiteral("new/Morvil/morvil.ini"));
    QtSettingsStore store(path);
    QVERIFY(!store.open(SettingsStore::Open::Existing));
    QCOMPARE(store.read(QStringLiteral("kc")).kind, SettingsStore::Value::Missing);
    QVERIFY(!store.write(QStringLiteral("kc"), QStringLiteral("clBlack")));
    QVERIFY(!QFile::exists(path));

    QVERIFY(store.open(SettingsStore::Open::Create));
    QVERIFY(store.write(QStringLiteral("kc"), QStringLiteral("clBlack")));
    QVERIFY(store.write(QStringLiteral("ir"), QStringLiteral("a, b")));
    QCOMPARE(contents(path), QByteArray("[MorvilAyar]\nir=\"a, b\"\nkc=clBlack\n"));
    QVERIFY(store.open(SettingsStore::Open::Existing));
    QCOMPARE(store.read(QStringLiteral("ir")).text, QStringLiteral("a, b"));
}

void SettingsStoreTest::valuesOfOtherTypesAreNoText()
{
    const QString path = m_dir.filePath(QStringLiteral("types.ini"));
    writeFile(path, "[MorvilAyar]\nkc=clBlack\nir=\nzr=a, b\nby=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                    "bz=@ByteArray(xy)\nlz=@Invalid()\n[Other]\nly=clRed\n");
    QtSettingsStore store(path);
    QVERIFY(store.open(SettingsStore::Open::Existing));
    using Kind = SettingsStore::Value::Kind;
    const std::pair<const char *, Kind> expected[] = {
        {"kc", Kind::Text},    {"ir", Kind::Text},    {"zr", Kind::NotText}, {"by", Kind::NotText},
        {"bz", Kind::NotText}, {"lz", Kind::NotText}, {"ly", Kind::Missing}};
    for (const auto &[name, kind] : expected)
        QVERIFY2(store.read(QString::fromLatin1(name)).kind == kind, name);
    QCOMPARE(store.read(QStringLiteral("kc")).text, QStringLiteral("clBlack"));

    QVERIFY(store.write(QStringLiteral("by"), QStringLiteral("$00AE5700")));
    QCOMPARE(store.read(QStringLiteral("by")).kind, Kind::Text);
}

void SettingsStoreTest::writeReplacesTheWholeFile()
{
    const QString path = m_dir.filePath(QStringLiteral("replaced.ini"));
    writeFile(path, "[MorvilAyar]\nkc=clBlack\n");
    const ino_t before = inodeOf(path);
    QtSettingsStore store(path);
    QVERIFY(store.open(SettingsStore::Open::Existing));
    QVERIFY(store.write(QStringLiteral("kc"), QStringLiteral("clWhite")));
    // Written beside the old file and renamed over it, not rewritten in place.
    QVERIFY(inodeOf(path) != before);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("replaced.ini*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("replaced.ini")});
}

void SettingsStoreTest::storeWithoutAPlaceCannotBeOpened()
{
    // A file stands where the folder should be made.
    writeFile(m_dir.filePath(QStringLiteral("Morvil")), "");
    QtSettingsStore blocked(m_dir.filePath(QStringLiteral("Morvil/morvil.ini")));
    QVERIFY(!blocked.open(SettingsStore::Open::Create));
    QVERIFY(!blocked.open(SettingsStore::Open::Existing));

    const QString folder = m_dir.filePath(QStringLiteral("readonly"));
    QVERIFY(QDir().mkpath(folder));
    writeFile(folder + QStringLiteral("/morvil.ini"), "[MorvilAyar]\nkc=clWhite\n");
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    {
        const OrdinaryUser user(m_dir.path());
        QtSettingsStore readOnly(folder + QStringLiteral("/morvil.ini"));
        QVERIFY(!readOnly.open(SettingsStore::Open::Create));
        QVERIFY(!readOnly.open(SettingsStore::Open::Existing));
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void SettingsStoreTest::failedWriteLeavesTheOldFileWhole()
{
    const QString path = m_dir.filePath(QStringLiteral("full.ini"));
    const QByteArray old = "[MorvilAyar]\nkc=clBlack\nir=clBtnFace\nGorunum=0\n";
    writeFile(path, old);
    QtSettingsStore store(path);
    QVERIFY(store.open(SettingsStore::Open::Create));

    bool written = true;
    {
        const FullDisk full(old.size() / 2);
        written = store.write(QStringLiteral("kc"), QStringLiteral("clWhite"));
    }
    QVERIFY(!written);
    QCOMPARE(contents(path), old);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("full.ini*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("full.ini")});
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
