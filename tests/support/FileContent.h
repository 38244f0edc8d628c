#pragma once

#include <QByteArray>
#include <QString>

// A file's bytes, or "<missing>" when it cannot be read.
QByteArray fileBytes(const QString &path);

// Creates or replaces a file with bytes; fails the running test if it cannot.
void writeFile(const QString &path, const QByteArray &bytes);
