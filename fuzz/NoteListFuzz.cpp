// Any bytes opened as a note-list file: reading must not fail, saving the lines
// again must give back every byte of every line with CR LF line ends, and
// neither the display table nor the player's conversion of a line may misbehave.

#include "Error.h"
#include "NoteListFile.h"
#include "NoteRecord.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

// What saving an opened file must write, worked out on the bytes alone: the text
// up to the first NUL, each line end (CR, LF or CR LF) made CR LF, a last line
// without an end given one.
QByteArray savedForm(QByteArrayView bytes)
{
    QByteArray saved;
    bool lineOpen = false;
    for (qsizetype i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            saved.append("\r\n");
            lineOpen = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            saved.append(c);
            lineOpen = true;
        }
    }
    if (lineOpen)
        saved.append("\r\n");
    return saved;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer device;
    device.setData(bytes);
    if (!device.open(QIODevice::ReadOnly))
        std::abort();
    const QStringList lines = readLines(device);
    const QByteArray saved = joinLines(lines);
    if (saved != savedForm(bytes) || splitLines(saved) != lines)
        std::abort();

    qint32 value = 0;
    for (const QString &line : lines) {
        if (openDisplayLine(line).size() > 7)
            std::abort();
        // The player's conversion of a count and of a note, without the cost of
        // an exception for every line that is none.
        readInteger(line.mid(3), &value);
        readInteger(line.left(2), &value);
    }
    if (!lines.isEmpty()) {
        try {
            parseNoteRecord(lines.constFirst());
        } catch (const Error &) {
        }
    }
    return 0;
}
