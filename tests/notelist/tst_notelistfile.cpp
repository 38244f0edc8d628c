#include "Error.h"
#include "FailDevice.h"
#include "FileContent.h"
#include "NoteListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A full disk, a refusing folder and a killed save are made with POSIX's own means.
#ifndef Q_OS_WIN
#include "FullDisk.h"
#include "OrdinaryUser.h"

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>
#include <optional>

namespace {

// The text of the Error that action raises; empty when it raises none.
QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &error) {
        return error.text();
    }
    return {};
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

// The note-list file and the text export: lines, Windows-1254 bytes, and saves
// that never lose the file they replace.
class NoteListFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readsLinesAsTheyStand_data();
    void readsLinesAsTheyStand();
    void writesEveryLineWithCrLf_data();
    void writesEveryLineWithCrLf();
    void everyByteValueSurvivesOpenAndSave();
    void openedRecordsShowTheirTable_data();
    void openedRecordsShowTheirTable();
    void failingDeviceAtEveryByte();

    void saveCreatesAndReplacesTheFile();
    void saveThatCannotCreateLeavesTheOldFile_data();
    void saveThatCannotCreateLeavesTheOldFile();
    void folderThatRefusesNewFilesIsWrittenInPlace();
    void failedReplaceIsAWriteError();
    void fullDiskAtEveryByteLeavesTheOldFile();
    void killedSaveLeavesTheOldFile();
    void openErrorsNameTheFullPath();
    void cleanupTestCase();

private:
    QTemporaryDir m_dir;
};

void NoteListFileTest::readsLinesAsTheyStand_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList two{"00=12", "13=407"};
    QTest::newRow("CR LF") << QByteArray("00=12\r\n13=407\r\n") << two;
    QTest::newRow("LF") << QByteArray("00=12\n13=407\n") << two;
    QTest::newRow("CR") << QByteArray("00=12\r13=407\r") << two;
    QTest::newRow("last line without an end") << QByteArray("00=12\r\n13=407") << two;
    QTest::newRow("empty middle line") << QByteArray("00=5\r\n\r\n01=7") << QStringList{"00=5", "", "01=7"};
    QTest::newRow("LF CR is two ends") << QByteArray("00=5\n\r01=7") << QStringList{"00=5", "", "01=7"};
    QTest::newRow("CR CR LF is two ends") << QByteArray("00=5\r\r\n01=7") << QStringList{"00=5", "", "01=7"};
    QTest::newRow("NUL ends the text") << QByteArray("00=5\r\n01\0=7\r\n02=1", 17) << QStringList{"00=5", "01"};
    QTest::newRow("NUL first") << QByteArray("\0"
                                             "00=5",
                                             5)
                               << QStringList{};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("one end only") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("blanks and other text kept")
        << QByteArray(" 4=1 \r\nhello\t\r\n") << QStringList{" 4=1 ", "hello\t"};
    QTest::newRow("Turkish letters") << QByteArray("M\xDD (02)\r\n\xFE\xF0\xFD") << QStringList{"Mİ (02)", "şğı"};
}

void NoteListFileTest::readsLinesAsTheyStand()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(bytes), lines);
    QBuffer device(&bytes);
    QVERIFY(device.open(QIODevice::ReadOnly));
    QCOMPARE(readLines(device), lines);
}

void NoteListFileTest::writesEveryLineWithCrLf_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("records") << QStringList{"00=12", "13=407"} << QByteArray("00=12\r\n13=407\r\n");
    QTest::newRow("no lines") << QStringList{} << QByteArray();
    QTest::newRow("one empty line") << QStringList{""} << QByteArray("\r\n");
    QTest::newRow("short records") << QStringList{"7=5", "0", "05="} << QByteArray("7=5\r\n0\r\n05=\r\n");
    QTest::newRow("Mİ") << QStringList{"Mİ (02)"} << QByteArray("\x4D\xDD\x20\x28\x30\x32\x29\r\n");
    QTest::newRow("SOL recorded and opened")
        << QStringList{"SOL (04)", "SOL(04)"} << QByteArray("SOL (04)\r\nSOL(04)\r\n");
}

void NoteListFileTest::writesEveryLineWithCrLf()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QCOMPARE(joinLines(lines), bytes);
    QByteArray written;
    QBuffer device(&written);
    QVERIFY(device.open(QIODevice::WriteOnly));
    writeLines(device, lines);
    QCOMPARE(written, bytes);
}

// The seven bytes Windows-1254 leaves undefined included.
void NoteListFileTest::everyByteValueSurvivesOpenAndSave()
{
    QByteArray file;
    for (int value = 1; value < 256; ++value) {
        if (value == '\r' || value == '\n')
            continue;
        file.append(char(value));
        if (value % 16 == 0)
            file.append("\r\n");
    }
    file.append("\r\n");
    QCOMPARE(joinLines(splitLines(file)), file);
}

void NoteListFileTest::openedRecordsShowTheirTable_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("line");
    QTest::newRow("DO") << "00=12"
                        << "DO (00)";
    QTest::newRow("Mİ") << "02=1"
                        << "Mİ (02)";
    QTest::newRow("SOL without a space") << "04=100"
                                         << "SOL(04)";
    QTest::newRow("Sİ") << "06=1"
                        << "Sİ (06)";
    QTest::newRow("# with two spaces") << "08=3"
                                       << "#  (08)";
    QTest::newRow("fast DO") << "09=0"
                             << "DO (09)";
    QTest::newRow("fast SOL") << "13=4"
                              << "SOL(13)";
    QTest::newRow("fast #") << "17=0"
                            << "#  (17)";
    QTest::newRow("no note") << "18=5"
                             << "18";
    QTest::newRow("one digit") << "7=5"
                               << "7=";
    QTest::newRow("blank first") << " 4=1"
                                 << " 4";
    QTest::newRow("key alone") << "05"
                               << "LA (05)";
    QTest::newRow("one character") << "0"
                                   << "0";
    QTest::newRow("empty") << ""
                           << "";
}

void NoteListFileTest::openedRecordsShowTheirTable()
{
    QFETCH(QString, record);
    QFETCH(QString, line);
    QCOMPARE(openDisplayLine(record), line);
}

void NoteListFileTest::failingDeviceAtEveryByte()
{
    const QStringList lines{"00=0", "13=407", "Mİ (02)", ""};
    const QByteArray bytes = joinLines(lines);
    for (qint64 limit = 0; limit <= bytes.size(); ++limit) {
        const QString expected = limit < bytes.size() ? QStringLiteral("Stream write error") : QString();
        FailDevice writing(limit);
        QVERIFY(writing.open(QIODevice::WriteOnly));
        QCOMPARE(errorOf([&] { writeLines(writing, lines); }), expected);

        FailDevice reading(limit, bytes);
        QVERIFY(reading.open(QIODevice::ReadOnly));
        QStringList read;
        QCOMPARE(errorOf([&] { read = readLines(reading); }),
                 limit < bytes.size() ? QStringLiteral("Stream read error") : QString());
        QCOMPARE(read, limit < bytes.size() ? QStringList() : lines);
    }
}

void NoteListFileTest::saveCreatesAndReplacesTheFile()
{
    const QString path = m_dir.filePath(QStringLiteral("replace/list.mnls"));
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    saveLinesFile(path, {"00=12", "13=407"});
    QCOMPARE(fileBytes(path), QByteArray("00=12\r\n13=407\r\n"));
    saveLinesFile(path, {"04=1"});
    QCOMPARE(fileBytes(path), QByteArray("04=1\r\n"));
    QCOMPARE(entries(QFileInfo(path).path()), QStringList{"list.mnls"});
    QCOMPARE(readLinesFile(path), QStringList{"04=1"});
}

void NoteListFileTest::saveThatCannotCreateLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "missing" << missingFolderReason();
    QTest::newRow("read-only folder") << "readonly"
                                      << "Permission denied";
    QTest::newRow("read-only file") << "readonlyfile" << accessDeniedReason();
}

void NoteListFileTest::saveThatCannotCreateLeavesTheOldFile()
{
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    const QString path = m_dir.filePath(folder + QStringLiteral("/list.mnls"));
    const bool readOnly = folder.startsWith(QLatin1String("readonly"));
#ifdef Q_OS_WIN
    if (folder == QLatin1String("readonly"))
        QSKIP("a folder's read-only attribute refuses no new file on Windows, and wine knows no access lists");
    // A file's read-only attribute refuses every user on Windows, the administrator too; wine keeps it as Unix
    // permissions, which its root user passes.
    if (readOnly && qEnvironmentVariableIsSet("WINEPREFIX"))
        QSKIP("under wine run as root a file's read-only attribute refuses nothing");
    if (readOnly) {
        QVERIFY(QDir().mkpath(m_dir.filePath(folder)));
        writeFile(path, "00=1\r\n");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    const QString error = errorOf([&] { saveLinesFile(path, {"13=407"}); });
#else
    if (readOnly) {
        QVERIFY(QDir().mkpath(m_dir.filePath(folder)));
        writeFile(path, "00=1\r\n");
        const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const QFile::Permissions enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        const QFile::Permissions writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        // The file is never the user's to write: in a read-only folder a writable one is saved in place.
        QVERIFY(QFile::setPermissions(path, readable));
        const bool folderReadOnly = folder == QLatin1String("readonly");
        QVERIFY(QFile::setPermissions(m_dir.filePath(folder),
                                      readable | enterable | (folderReadOnly ? QFile::Permissions() : writable)));
    }
    QString error;
    {
        std::optional<OrdinaryUser> user;
        if (readOnly)
            user.emplace(m_dir.path());
        error = errorOf([&] { saveLinesFile(path, {"13=407"}); });
    }
#endif
    QCOMPARE(error, QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
    if (readOnly) {
        QCOMPARE(fileBytes(path), QByteArray("00=1\r\n"));
        QCOMPARE(entries(m_dir.filePath(folder)), QStringList{"list.mnls"});
    }
}

// Where no file can be made beside it, a file the user may write is still saved:
// in place, as nothing else is possible there.
void NoteListFileTest::folderThatRefusesNewFilesIsWrittenInPlace()
{
#ifdef Q_OS_WIN
    QSKIP("needs a folder an ordinary user may not write to, which wine (running everything with full rights) cannot "
          "make");
#else
    const QString folder = m_dir.filePath(QStringLiteral("shared"));
    const QString path = folder + QStringLiteral("/list.mnls");
    QVERIFY(QDir().mkpath(folder));
    writeFile(path, "00=1\r\n01=2\r\n");
    if (geteuid() == 0)
        QCOMPARE(chown(QFile::encodeName(path).constData(), OrdinaryUser::Uid, OrdinaryUser::Uid), 0);
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    QString error;
    {
        const OrdinaryUser user(m_dir.path());
        error = errorOf([&] { saveLinesFile(path, {"13=407"}); });
    }
    QCOMPARE(error, QString());
    QCOMPARE(fileBytes(path), QByteArray("13=407\r\n"));
#endif
}

// The new file is complete but cannot take the old one's place: a file that is a
// mount point cannot be renamed over. Needs a mount namespace of its own.
void NoteListFileTest::failedReplaceIsAWriteError()
{
#ifdef Q_OS_WIN
    QSKIP("needs a mount namespace of its own, which only Linux has");
#else
    const QString path = m_dir.filePath(QStringLiteral("mounted.mnls"));
    const QString cover = m_dir.filePath(QStringLiteral("cover"));
    writeFile(path, "00=1\r\n");
    writeFile(cover, "01=2\r\n");
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        QSKIP("no mount namespace of its own: needs root");
    QCOMPARE(
        mount(QFile::encodeName(cover).constData(), QFile::encodeName(path).constData(), nullptr, MS_BIND, nullptr), 0);
    const QString error = errorOf([&] { saveLinesFile(path, {"13=407"}); });
    umount(QFile::encodeName(path).constData());
    QCOMPARE(error, QStringLiteral("Stream write error"));
    QCOMPARE(fileBytes(path), QByteArray("00=1\r\n"));
    QCOMPARE(entries(m_dir.path()).filter(QStringLiteral("mounted")), QStringList{"mounted.mnls"});
#endif
}

void NoteListFileTest::fullDiskAtEveryByteLeavesTheOldFile()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has no file size limit of a process; failingDeviceAtEveryByte fails the writes instead");
#else
    const QString folder = m_dir.filePath(QStringLiteral("full"));
    const QString path = folder + QStringLiteral("/list.mnls");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray old("00=1\r\n01=2\r\n");
    writeFile(path, old);
    const QStringList lines{"00=0", "13=407", "04=12345"};
    const qsizetype size = joinLines(lines).size();
    for (qsizetype limit = 0; limit < size; ++limit) {
        QString error;
        {
            const FullDisk full{rlim_t(limit)};
            error = errorOf([&] { saveLinesFile(path, lines); });
        }
        QCOMPARE(error, QStringLiteral("Stream write error"));
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(entries(folder), QStringList{"list.mnls"});
    }
#endif
}

// A save process killed at a quarter, half and three quarters of its writing:
// the kernel ends it with SIGXFSZ at exactly that byte, so no timing decides
// where the kill lands.
void NoteListFileTest::killedSaveLeavesTheOldFile()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has no fork() and no file size limit to kill a save at an exact byte");
#else
    const QString folder = m_dir.filePath(QStringLiteral("killed"));
    const QString path = folder + QStringLiteral("/list.mnls");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray old("00=1\r\n01=2\r\n");
    const QStringList lines(30'000, QStringLiteral("13=4070"));
    const rlim_t size = joinLines(lines).size();
    for (const rlim_t killAt : {size / 4, size / 2, size * 3 / 4}) {
        writeFile(path, old);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            const rlimit killLimit{killAt, killAt};
            setrlimit(RLIMIT_FSIZE, &killLimit);
            std::signal(SIGXFSZ, SIG_DFL);
            saveLinesFile(path, lines);
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), SIGXFSZ);
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(entries(folder), QStringList{"list.mnls"});
    }
#endif
}

void NoteListFileTest::openErrorsNameTheFullPath()
{
    const QString path = m_dir.filePath(QStringLiteral("none.mnls"));
    const QString expected =
        QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), missingFileReason());
    QCOMPARE(errorOf([&] { readLinesFile(path); }), expected);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    const QString relative = errorOf([] { readLinesFile(QStringLiteral("none.mnls")); });
    QDir::setCurrent(previous);
    QCOMPARE(relative, expected);
}

// The folders the tests made read-only, writable again so that the scratch folder can go.
void NoteListFileTest::cleanupTestCase()
{
    for (const char *folder : {"readonly", "shared"})
        QFile::setPermissions(m_dir.filePath(QLatin1String(folder)),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QTEST_GUILESS_MAIN(NoteListFileTest)
#include "tst_notelistfile.moc"
