#include "KeyboardLayouts.h"

#include <algorithm>

namespace {

constexpr std::array<int, NoteCount> QShortcuts = {65, 83, 68, 70, 71, 72, 74, 75, 76,
                                                   81, 87, 69, 82, 84, 89, 85, 73, 79};
constexpr std::array<int, NoteCount> FShortcuts = {85, 219, 69,  65, 221, 84, 75, 77, 76,
                                                   70, 71,  186, 73, 79,  68, 82, 78, 72};

// What one key of a Turkish layout reports and types.
struct LayoutKey
{
    int virtualKey;
    char16_t capital; // the character the key types with Shift
};

// One physical key of the two letter rows: where each platform reports it and what
// it is under Turkish Q and Turkish F. The virtual-key codes of the OEM keys are the
// ones Microsoft's layouts KBDTUQ and KBDTUF assign (Microsoft's published keyboard
// layout pages "Turkish Q" and "Turkish F"): under Q, Ğ 219 (VK_OEM_4), Ü 221
// (VK_OEM_6), Ş 186 (VK_OEM_1), İ 222 (VK_OEM_7); under F, Ğ 186, İ 219, Ü 221, Ş 222.
struct LetterKey
{
    quint32 xKeycode;
    quint32 windowsScanCode;
    LayoutKey turkishQ;
    LayoutKey turkishF;
};

constexpr std::array<LetterKey, 23> LetterKeys = {{
    // The row above the home row, from the key right of Tab.
    {24, 0x10, {81, u'Q'}, {70, u'F'}},
    {25, 0x11, {87, u'W'}, {71, u'G'}},
    {26, 0x12, {69, u'E'}, {186, u'Ğ'}},
    {27, 0x13, {82, u'R'}, {73, u'I'}},
    {28, 0x14, {84, u'T'}, {79, u'O'}},
    {29, 0x15, {89, u'Y'}, {68, u'D'}},
    {30, 0x16, {85, u'U'}, {82, u'R'}},
    {31, 0x17, {73, u'I'}, {78, u'N'}}, // types the dotless ı under Turkish Q
    {32, 0x18, {79, u'O'}, {72, u'H'}},
    {33, 0x19, {80, u'P'}, {80, u'P'}},
    {34, 0x1A, {219, u'Ğ'}, {81, u'Q'}},
    {35, 0x1B, {221, u'Ü'}, {87, u'W'}},
    // The home row, from the key right of Caps Lock.
    {38, 0x1E, {65, u'A'}, {85, u'U'}},
    {39, 0x1F, {83, u'S'}, {219, u'İ'}},
    {40, 0x20, {68, u'D'}, {69, u'E'}},
    {41, 0x21, {70, u'F'}, {65, u'A'}},
    {42, 0x22, {71, u'G'}, {221, u'Ü'}},
    {43, 0x23, {72, u'H'}, {84, u'T'}},
    {44, 0x24, {74, u'J'}, {75, u'K'}},
    {45, 0x25, {75, u'K'}, {77, u'M'}},
    {46, 0x26, {76, u'L'}, {76, u'L'}},
    {47, 0x27, {186, u'Ş'}, {89, u'Y'}},
    {48, 0x28, {222, u'İ'}, {222, u'Ş'}},
}};

const LayoutKey &layoutKey(const LetterKey &key, KeyboardTable table)
{
    return table == KeyboardTable::Q ? key.turkishQ : key.turkishF;
}

bool isLetterCode(int code)
{
    return code >= 'A' && code <= 'Z';
}

} // namespace

std::array<int, NoteCount> shortcutTable(KeyboardTable table)
{
    return table == KeyboardTable::Q ? QShortcuts : FShortcuts;
}

int virtualKeyAt(quint32 nativeScanCode, KeyboardTable table, ScanCodeSet scanCodes)
{
    const auto key = std::find_if(LetterKeys.begin(), LetterKeys.end(), [&](const LetterKey &candidate) {
        return (scanCodes == ScanCodeSet::X11 ? candidate.xKeycode : candidate.windowsScanCode) == nativeScanCode;
    });
    return key == LetterKeys.end() ? 0 : layoutKey(*key, table).virtualKey;
}

QString keyName(int code, KeyboardTable table)
{
    const auto key = std::find_if(LetterKeys.begin(), LetterKeys.end(), [&](const LetterKey &candidate) {
        return layoutKey(candidate, table).virtualKey == code;
    });
    if (key != LetterKeys.end())
        return QString(QChar(layoutKey(*key, table).capital));
    // Letters of the bottom row.
    return isLetterCode(code) ? QString(QChar(code)) : QString();
}

QString noteButtonHint(const QString &actionHint, int code, KeyboardTable table)
{
    const QString name = keyName(code, table);
    if (actionHint.isEmpty() || name.isEmpty())
        return actionHint;
    return actionHint + QStringLiteral(" (") + name + QLatin1Char(')');
}
