#include "NoteListFile.h"

#include "Error.h"
#include "Windows1254.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

namespace {

constexpr QLatin1Char CR('\r');
constexpr QLatin1Char LF('\n');

struct OpenDisplayEntry
{
    const char *key;
    const char *line; // UTF-8
};

// Seven characters each; SOL and # differ from the lines recording writes.
constexpr OpenDisplayEntry OpenDisplayTable[] = {
    {"00", "DO (00)"}, {"01", "RE (01)"}, {"02", "Mİ (02)"}, {"03", "FA (03)"}, {"04", "SOL(04)"}, {"05", "LA (05)"},
    {"06", "Sİ (06)"}, {"07", "DO (07)"}, {"08", "#  (08)"}, {"09", "DO (09)"}, {"10", "RE (10)"}, {"11", "Mİ (11)"},
    {"12", "FA (12)"}, {"13", "SOL(13)"}, {"14", "LA (14)"}, {"15", "Sİ (15)"}, {"16", "DO (16)"}, {"17", "#  (17)"},
};

QString fileError(const char *what, const QString &path, QString reason)
{
    while (reason.endsWith(QLatin1Char(' ')) || reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    return QStringLiteral("%1 \"%2\". %3")
        .arg(QLatin1String(what), QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

} // namespace

QStringList splitLines(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes = bytes.first(end);
    // Every byte decodes to one character, so the line ends stay where they were.
    const QString text = decodeWindows1254(bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != CR && c != LF)
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == CR && i + 1 < text.size() && text.at(i + 1) == LF)
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

QByteArray joinLines(const QStringList &lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines)
        text.append(line).append(CR).append(LF);
    return encodeWindows1254(text);
}

QStringList readLines(QIODevice &device)
{
    QByteArray bytes;
    if (!device.isSequential())
        bytes.reserve(device.size());
    char chunk[1 << 16];
    for (;;) {
        const qint64 read = device.read(chunk, sizeof chunk);
        if (read < 0)
            throw Error(QStringLiteral("Stream read error"));
        if (read == 0)
            break;
        bytes.append(chunk, read);
    }
    return splitLines(bytes);
}

void writeLines(QIODevice &device, const QStringList &lines)
{
    const QByteArray bytes = joinLines(lines);
    if (device.write(bytes) != bytes.size())
        throw Error(QStringLiteral("Stream write error"));
}

QStringList readLinesFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(fileError("Cannot open file", path, file.errorString()));
    return readLines(file);
}

namespace {

// The old way, the only one where no file can be made beside the old one: a
// failed write leaves the file cut short.
void writeInPlace(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(fileError("Cannot create file", path, file.errorString()));
    writeLines(file, lines);
    if (!file.flush())
        throw Error(QStringLiteral("Stream write error"));
}

} // namespace

void saveLinesFile(const QString &path, const QStringList &lines)
{
    const QFileInfo target(path);
    // A file the user may not write is refused with the system's own reason, and
    // one the folder keeps from being replaced is written in place.
    if (target.exists() && !(target.isWritable() && QFileInfo(target.absolutePath()).isWritable())) {
        writeInPlace(path, lines);
        return;
    }
    // Unless committed, the save file removes its temporary file when it goes.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(fileError("Cannot create file", path, file.errorString()));
    writeLines(file, lines);
    // commit() would put a file cut short by a failing flush in the old one's place.
    if (!file.flush() || !file.commit())
        throw Error(QStringLiteral("Stream write error"));
}

QString openDisplayLine(const QString &record)
{
    const QString key = record.left(2);
    for (const OpenDisplayEntry &entry : OpenDisplayTable) {
        if (key == QLatin1String(entry.key))
            return QString::fromUtf8(entry.line);
    }
    return key;
}
