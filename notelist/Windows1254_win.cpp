#include "Windows1254.h"

#include "Error.h"

#include <windows.h>

#include <climits>

namespace {

constexpr UINT Turkish = 1254;

// Lengths are counted in int; a note list is far smaller, but a bigger text must not wrap around.
int lengthOf(qsizetype size)
{
    if (size > INT_MAX)
        throw Error(QStringLiteral("The text is too long for the Windows-1254 text encoding"));
    return int(size);
}

[[noreturn]] void unavailable()
{
    throw Error(QStringLiteral("The Windows-1254 text encoding is not available"));
}

} // namespace

QString decodeWindows1254(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    // A single-byte code page: one character a byte, the undefined ones as their C1 control characters.
    QString text(bytes.size(), Qt::Uninitialized);
    const int decoded = MultiByteToWideChar(Turkish, 0, bytes.data(), lengthOf(bytes.size()),
                                            reinterpret_cast<wchar_t *>(text.data()), lengthOf(text.size()));
    if (decoded != text.size())
        unavailable();
    return text;
}

QByteArray encodeWindows1254(QStringView text)
{
    if (text.isEmpty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length = lengthOf(text.size());
    // No best fit: a letter the code page lacks becomes '?' instead of a look-alike.
    const int size = WideCharToMultiByte(Turkish, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        unavailable();
    QByteArray bytes(size, Qt::Uninitialized);
    if (WideCharToMultiByte(Turkish, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size, nullptr, nullptr) != size)
        unavailable();
    return bytes;
}
