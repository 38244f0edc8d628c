#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

class QIODevice;

// Note-list files (.mnls, one note record a line) and text exports (.txt, one
// display line a line) are Windows-1254 text in which every line, the last one
// included, is followed by CR LF. Reading is lenient: a line ends at CR, LF or
// CR LF, the text ends at the first NUL, and a last line without an end counts.
// Every line is kept exactly as it stands, so opening a file and saving it again
// gives back every byte of every line.

// The lines of a file's bytes.
QStringList splitLines(QByteArrayView bytes);

// The bytes of a file holding lines.
QByteArray joinLines(const QStringList &lines);

// Reads the device to its end. Raises Error("Stream read error") when it fails.
QStringList readLines(QIODevice &device);

// Writes lines in one write. Raises Error("Stream write error") unless the
// device took every byte.
void writeLines(QIODevice &device, const QStringList &lines);

// Reads the file at path whole. Raises Error("Cannot open file \"<full path>\".
// <reason>") when it cannot be opened, or the read error.
QStringList readLinesFile(const QString &path);

// Replaces the file at path by lines. The lines go to a temporary file beside it
// that takes the file's place only once every byte is written and flushed: on any
// failure the old file is untouched and no temporary file is left. Where the folder
// allows no file beside it, a file the user may write is written in place, and a
// failed write leaves it with what was written. Raises
// Error("Cannot create file \"<full path>\". <reason>") when the file cannot be made
// or opened, Error("Stream write error") for any later failure.
void saveLinesFile(const QString &path, const QStringList &lines);

// The display line of an opened note record: its first two characters looked up
// in the table of opened lists ("04" shows "SOL(04)"), else those characters.
QString openDisplayLine(const QString &record);
