#pragma once

#include <QtGlobal>

// A colour as the window's settings hold it: 0x00BBGGRR for a plain colour, or
// 0xFF0000nn for the system colour with index nn, resolved only when drawn.
using ColorValue = quint32;
