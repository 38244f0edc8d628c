#pragma once

#include <QString>
#include <QtGlobal>

// A note record is one line of the note list: NN "=" count, e.g. "00=0" or "12=347".
QString noteRecord(int note, qint32 count);

// Reads a decimal integer the way the note list and the settings store are read:
// leading blanks and a sign are allowed, nothing else; a value outside 32 bits is
// no integer. Returns false when the text is no integer.
bool readInteger(const QString &text, qint32 *value);

// The same, raising Error("'<text>' is not a valid integer value") for a text
// that is no integer.
qint32 toInteger(const QString &text);

struct ParsedRecord
{
    qint32 note;
    qint32 count;
};

// Splits a record into its note (characters 1-2) and count (characters 4 on),
// converting the count first. Raises the conversion error for either part.
ParsedRecord parseNoteRecord(const QString &record);
