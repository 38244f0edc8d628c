#pragma once

#include <QString>

#include <optional>

enum class IntegerDigits
{
    Decimal,
    DecimalOrHexadecimal
};

// An integer as the stored texts write it: leading blanks, a sign, then decimal
// digits within the signed 32-bit range or, where hexadecimal is allowed, "$", "x",
// "X", "0x" or "0X" and hexadecimal digits filling up to all 32 bits. Gives its 32
// bits, or nothing when the text is no integer.
std::optional<quint32> parseInteger(const QString &text, IntegerDigits digits);
