#pragma once

#include "ColorValue.h"

#include <QString>

// The text form of a colour in the settings store: its name from the colour name
// table ("clBlack", "clWindowText") when the value has one, otherwise "$" and the
// value in eight upper-case hexadecimal digits ("$00C2D1D1").
QString ColorToText(ColorValue color);

// Reads a colour text: a name of the table in any mix of upper and lower case, or
// an integer as TextToInteger reads it. Raises
// Error("'<text>' is not a valid integer value") for any other text.
ColorValue TextToColor(const QString &text);

// Reads an integer of the settings store: leading blanks and a sign, then decimal
// digits, or hexadecimal ones after "$", "x", "X", "0x" or "0X". Decimal numbers
// must fit 32 signed bits, hexadecimal ones 32 bits ("$FF000008" is a system
// colour). Any other text, the empty one included, gives `fallback`.
qint32 TextToInteger(const QString &text, qint32 fallback);
