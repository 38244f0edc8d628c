// Feeds arbitrary settings texts to the colour and number readers. Beyond not
// crashing, both readers must agree on what an integer is, and every colour must
// survive the way to its text and back.
#include "ColorText.h"
#include "Error.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Stored texts are 8-bit: every byte is one character.
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));

    const qint32 number = TextToInteger(text, 0);
    const bool isInteger = number == TextToInteger(text, 1);
    ColorValue color = 0;
    bool isColor = true;
    try {
        color = TextToColor(text);
    } catch (const Error &error) {
        if (error.text() != QStringLiteral("'%1' is not a valid integer value").arg(text))
            std::abort();
        isColor = false;
    }
    if (isInteger && (!isColor || color != ColorValue(number)))
        std::abort();

    // Any 32 bits taken from the input, named or in hexadecimal.
    if (size >= 4) {
        const ColorValue value =
            ColorValue(data[0]) | ColorValue(data[1]) << 8 | ColorValue(data[2]) << 16 | ColorValue(data[3]) << 24;
        if (TextToColor(ColorToText(value)) != value)
            std::abort();
    }
    if (isColor && TextToColor(ColorToText(color)) != color)
        std::abort();
    return 0;
}
