#pragma once

#include <QByteArray>
#include <QString>

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray fileBytes(const QString &path);

// Creates or replaces a file with bytes; fails the running test if it cannot.
void writeFile(const QString &path, const QByteArray &bytes);

// The system's words for a file or a folder that is not there, as an error text ends with them: POSIX's "No such
// file or directory" for both, Windows' own for each (without its closing full stop).
QString missingFileReason();
QString missingFolderReason();
// ... and for a file or folder it may not write: "Permission denied", or Windows' own.
QString accessDeniedReason();
