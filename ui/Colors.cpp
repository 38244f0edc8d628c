#include "Colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace {

// System colour indexes of the 0xFF0000nn form and their palette roles.
QColor systemColor(int index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 5: // window
        return palette.color(QPalette::Base);
    case 8:  // window text
    case 18: // button text
        return palette.color(QPalette::Text);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlight text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    default: // button face and the rest of the dialog colours
        return palette.color(QPalette::Button);
    }
}

} // namespace

QColor toQColor(ColorValue value)
{
    if ((value >> 24) == 0xFF)
        return systemColor(int(value & 0xFF));
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ColorValue fromQColor(const QColor &color)
{
    return ColorValue(color.red()) | ColorValue(color.green()) << 8 | ColorValue(color.blue()) << 16;
}

void setPaletteColor(QWidget *widget, QPalette::ColorRole role, ColorValue value)
{
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(value));
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, ColorValue value)
{
    setPaletteColor(widget, widget->backgroundRole(), value);
    widget->setAutoFillBackground(true);
}

void setForeground(QWidget *widget, ColorValue value)
{
    setPaletteColor(widget, widget->foregroundRole(), value);
}

void keepLookWhenDisabled(QWidget *panel)
{
    QPalette palette = panel->palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto colorRole = QPalette::ColorRole(role);
        if (colorRole != QPalette::NoRole)
            palette.setBrush(QPalette::Disabled, colorRole, palette.brush(QPalette::Active, colorRole));
    }
    panel->setPalette(palette);
}
