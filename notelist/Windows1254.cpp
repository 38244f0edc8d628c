#include "Windows1254.h"

#include "Error.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// ICU's table; without it no file could keep its Turkish letters.
template <typename Codec> Codec codec()
{
    Codec codec("windows-1254");
    if (!codec.isValid())
        throw Error(QStringLiteral("The Windows-1254 text encoding is not available"));
    return codec;
}

} // namespace

QString decodeWindows1254(QByteArrayView bytes)
{
    return codec<QStringDecoder>().decode(bytes);
}

QByteArray encodeWindows1254(QStringView text)
{
    return codec<QStringEncoder>().encode(text);
}
