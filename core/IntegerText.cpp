#include "IntegerText.h"

#include <limits>

namespace {

int digitValue(char16_t c, int base)
{
    int value = base;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

std::optional<quint32> parseInteger(const QString &text, IntegerDigits digits)
{
    qsizetype i = 0;
    const auto at = [&text](qsizetype index) { return index < text.size() ? text.at(index).unicode() : u'\0'; };
    while (at(i) == u' ')
        ++i;
    const bool negative = at(i) == u'-';
    if (negative || at(i) == u'+')
        ++i;
    int base = 10;
    if (digits == IntegerDigits::DecimalOrHexadecimal) {
        const bool zeroX = at(i) == u'0' && (at(i + 1) == u'x' || at(i + 1) == u'X');
        if (zeroX || at(i) == u'$' || at(i) == u'x' || at(i) == u'X') {
            base = 16;
            i += zeroX ? 2 : 1;
        }
    }
    if (i == text.size())
        return std::nullopt;
    // Hexadecimal digits may fill all 32 bits; decimal ones only the signed range.
    const quint64 limit = base == 16 ? std::numeric_limits<quint32>::max()
                                     : quint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    quint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text.at(i).unicode(), base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + quint64(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    return negative ? quint32(0u - quint32(magnitude)) : quint32(magnitude);
}
