#include "FileContent.h"

#include <QFile>
#include <QTest>

#include <cerrno>

namespace {

QString systemReason([[maybe_unused]] int posixError, [[maybe_unused]] int windowsError)
{
#ifdef Q_OS_WIN
    QString text = qt_error_string(windowsError);
#else
    QString text = qt_error_string(posixError);
#endif
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString missingFileReason()
{
    return systemReason(ENOENT, 2); // ERROR_FILE_NOT_FOUND
}

QString missingFolderReason()
{
    return systemReason(ENOENT, 3); // ERROR_PATH_NOT_FOUND
}

QString accessDeniedReason()
{
    return systemReason(EACCES, 5); // ERROR_ACCESS_DENIED
}
