#include "NoteRecord.h"

#include "Error.h"
#include "NoteTable.h"

#include <limits>

QString noteRecord(int note, qint32 count)
{
    return noteText(note) + QLatin1Char('=') + QString::number(count);
}

bool readInteger(const QString &text, qint32 *value)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return false;
    // Accumulate as a negative number so that the minimum of 32 bits fits.
    qint64 accumulated = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        accumulated = accumulated * 10 - (c.unicode() - '0');
        if (accumulated < qint64(std::numeric_limits<qint32>::min()))
            return false;
    }
    if (!negative) {
        accumulated = -accumulated;
        if (accumulated > std::numeric_limits<qint32>::max())
            return false;
    }
    *value = qint32(accumulated);
    return true;
}

qint32 toInteger(const QString &text)
{
    qint32 value = 0;
    if (!readInteger(text, &value))
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

ParsedRecord parseNoteRecord(const QString &record)
{
    const qint32 count = toInteger(record.mid(3));
    const qint32 note = toInteger(record.left(2));
    return {note, count};
}
