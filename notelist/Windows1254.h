#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1254 (Turkish) text through the platform's own codec: ICU elsewhere, the code-page functions on
// Windows. Every byte decodes to exactly one character, and the bytes the code page leaves undefined come back
// byte for byte when their characters are encoded again. Both raise Error when the platform has no such codec.
QString decodeWindows1254(QByteArrayView bytes);
QByteArray encodeWindows1254(QStringView text);
