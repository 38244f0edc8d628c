#include "ColorText.h"

#include "Error.h"
#include "IntegerText.h"

namespace {

struct NamedColor
{
    const char *name;
    ColorValue value;
};

// Searched from the first; no value occurs twice.
constexpr NamedColor ColorNames[] = {
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clActiveBorder", 0xFF00000A},
    {"clActiveCaption", 0xFF000002},
    {"clAppWorkSpace", 0xFF00000C},
    {"clBackground", 0xFF000001},
    {"clBtnFace", 0xFF00000F},
    {"clBtnHighlight", 0xFF000014},
    {"clBtnShadow", 0xFF000010},
    {"clBtnText", 0xFF000012},
    {"clCaptionText", 0xFF000009},
    {"clDefault", 0x20000000},
    {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C},
    {"clGrayText", 0xFF000011},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clHotLight", 0xFF00001A},
    {"clInactiveBorder", 0xFF00000B},
    {"clInactiveCaption", 0xFF000003},
    {"clInactiveCaptionText", 0xFF000013},
    {"clInfoBk", 0xFF000018},
    {"clInfoText", 0xFF000017},
    {"clMenu", 0xFF000004},
    {"clMenuBar", 0xFF00001E},
    {"clMenuHighlight", 0xFF00001D},
    {"clMenuText", 0xFF000007},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0xFF000000},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clWindowText", 0xFF000008},
};

// Names compare in ASCII case only, as the stored texts are 8-bit.
bool sameName(const QString &text, const char *name)
{
    const QLatin1StringView latin1(name);
    if (text.size() != latin1.size())
        return false;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (lower(text.at(i).unicode()) != lower(latin1.at(i).unicode()))
            return false;
    }
    return true;
}

} // namespace

QString ColorToText(ColorValue color)
{
    for (const NamedColor &named : ColorNames) {
        if (named.value == color)
            return QString::fromLatin1(named.name);
    }
    return QLatin1Char('$') + QString::number(color, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

ColorValue TextToColor(const QString &text)
{
    for (const NamedColor &named : ColorNames) {
        if (sameName(text, named.name))
            return named.value;
    }
    if (const std::optional<quint32> value = parseInteger(text, IntegerDigits::DecimalOrHexadecimal))
        return *value;
    throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

qint32 TextToInteger(const QString &text, qint32 fallback)
{
    const std::optional<quint32> value = parseInteger(text, IntegerDigits::DecimalOrHexadecimal);
    return value ? qint32(*value) : fallback;
}
