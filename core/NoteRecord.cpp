#include "NoteRecord.h"

#include "Error.h"
#include "IntegerText.h"
#include "NoteTable.h"

QString noteRecord(int note, qint32 count)
{
    return noteText(note) + QLatin1Char('=') + QString::number(count);
}

bool readInteger(const QString &text, qint32 *value)
{
    const std::optional<quint32> bits = parseInteger(text, IntegerDigits::Decimal);
    if (bits)
        *value = qint32(*bits);
    return bits.has_value();
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
